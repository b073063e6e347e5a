# Counts and first indexes from script text stay inside the 64-bit range.
puts [catch {list_to_array {a b} arr 9223372036854775807}]
puts [array exists arr]
# the last key that fits is taken
puts [list_to_array {a} one 9223372036854775807]
puts [array names one]
puts [catch {string_to_array "x\ny" lines -start 9223372036854775807}]
puts [catch {array setint s {1 2 3} -base 9223372036854775806}]
puts [catch {array blank b 2147483647}]
puts [array blank b 2]
