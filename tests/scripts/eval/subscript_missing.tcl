# An element of an array that does not exist.
set k key
puts $nosuch($k)
