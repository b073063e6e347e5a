# $$name(key) reads the variable named by an array element's value.
set target "found it"
set a(k) target
puts $$a(k)
set key k
puts $$a($key)
# the element names a variable that does not exist
set a(gone) nothing
puts $$a(gone)
