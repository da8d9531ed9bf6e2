#!#]`ZZ!ZZ
`