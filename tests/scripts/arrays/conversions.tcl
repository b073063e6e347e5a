# array_to_list: {key value} groups, or -values, or into a variable
array_set a {k1 v1 {a b} 1}
puts [array_to_list a]
puts [array_to_list a -values]
array_to_list a -values into
puts $into
dim e 5
puts [array_to_list e]
puts [catch {array_to_list nosuch}]
set plain 1
puts [catch {array_to_list plain}]
# list_to_array stores items from the base index
puts [list_to_array {p q {r s}} l 3]
puts "$l(3) $l(5)"
# array_to_string joins decimal keys, with start, stop, join and stopstr
list_to_array {a b c d e} s
puts [array_to_string s]
puts [array_to_string s -join ,]
puts [array_to_string s -start 1 -stop 4 -join -]
puts [array_to_string s -join + -stopstr D -nocase]
puts [catch {array_to_string s -bogus}]
puts [catch {array_to_string nosuch}]
# string_to_array: lines, characters, codes, -stopchar, -start, -append
puts [string_to_array "one\ntwo\r\nthree" lines]
puts "$lines(0) $lines(1) $lines(2)"
puts [string_to_array "abc;d" ch -chars -stopchar ";"]
puts "$ch(0) $ch(2)"
puts [string_to_array "AB" codes -chars -asc -start 10]
puts "$codes(10) $codes(11)"
puts [string_to_array "four" lines -append]
puts $lines(3)
puts [catch {string_to_array "x" lines}]
puts [catch {string_to_array "x" nosuch -append}]
puts [catch {string_to_array "x" other -bogus}]
