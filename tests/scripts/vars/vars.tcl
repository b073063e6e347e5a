# vars lists the current frame's ordinary variables, newest first
set my_int 42
set my_float 1.5
set my_text "some text"
set my_empty ""
set my_arr(1) x
const my_const 7
puts [vars my_*]
# -q leaves out the header; patterns ignore case
puts [vars -q MY_I*]
# constants only, or both kinds
puts [vars -const my*]
puts [vars -all -q my_c*]
# -list answers the names, a name holding a blank in braces
set {my name} 1
puts [vars -list my*]
puts [vars -all -list my_c*]
# long values are cut, less so with -wide
set my_long "abcdefghijklmnopqrstuvwxyz abcdefghijklmnopqrstuvwxyz abcdefghijklmnopqrstuvwxyz"
puts [vars -q my_long]
puts [vars -q -wide my_long]
# nothing matched
puts [vars nomatch*]
puts [vars -const nomatch*]
# -level names a frame; levels below 0 are the global frame
puts [vars -level -3 -list my_i*]
