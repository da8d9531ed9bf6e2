var x = 1.
var y = 2;
var z = 1
.5
foo()
