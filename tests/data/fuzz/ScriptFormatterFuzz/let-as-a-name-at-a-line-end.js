var let = 1
let
''
let
x = 1
