# A subscript of blanks names no element, whatever the previous result was.
set x 5
puts $a( )
