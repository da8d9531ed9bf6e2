var a = 'it\'s', b = "say \"hi\"", c = `t ${a + `inner ${b}`} end`;
var re = /[/'"]+\//gi; if (a) { x = a / 2 / 3; } else { y = re.test(b) }
// comment with 'quote' and /slash/
/* block 'comment' */ z = typeof /x/ ; w = a
++b
<!-- old style comment
--> also a comment
return /a"b/.source
