# puts shows stored text as it is
option escape off
# split without characters gives the text back
puts [split "a b c"]
# at any of the characters, keeping empty fields as {}
puts [split "a,b,,c" ,]
puts [split "a,b;c" ",;"]
puts [split "a b,c d" ,]
# one field comes back unchanged
puts [split "a b" ,]
# -literal cuts at the whole string
puts [split "a::b::c" :: -literal]
puts [split "a::b" ::]
# an empty character set gives one element per character, braces for blanks
puts [split "ab c\$" {}]
# array mode stores the fields and returns their count
puts [split "x,y,z" , -array parts]
puts "$parts(0) $parts(1) $parts(2)"
puts [split "pq" -array chars]
puts "$chars(0) $chars(1)"
# the array must not exist yet
puts [catch {split "1,2" , -array parts} m]
