var s = 'line\
continued ';
var u = 'été';
