# the character-class tests of the is_alpha family
option autoexec off
# every character must be in the class
puts "[is_alpha abcXYZ] [is_alpha ab1] [is_alnum a1B2] [is_alnum a-1] [is_digit 0123456789] [is_digit 12a]"
puts "[is_lower abc] [is_lower aBc] [is_upper ABC] [is_upper AB1] [is_xdigit 09afAF] [is_xdigit 0g]"
puts "[is_space [chr 32 9 10 11 12 13]] [is_space { x }] [is_punct {!?.,;:@[]}] [is_punct a!] [is_punct { }]"
# bytes above 127 are in no class
puts "[is_alpha [chr 233]] [is_punct [chr 200]] [is_space [chr 160]]"
# an empty text answers 1, or 0 with -strict
puts "[is_digit {}] [is_digit {} -strict] [is_digit 7 -STRICT] [is_alpha {} -strict -var]"
# -var tests a plain variable's value; a missing variable tests the word
set n 12345
puts "[is_digit n -var] [is_digit n] [is_alpha nosuch -var] [is_digit n -var -strict]"
puts [catch {is_digit 1 -x} m]$m
puts [catch {is_space} m]
# an alias or a renamed test keeps its class
alias isnum is_digit
rename is_upper caps
puts "[isnum 42] [isnum 4x] [caps AB] [caps Ab]"
