# An error inside a substitution ends the script.
option autoexec off
set a [resume][set q 1]
puts "a=$a"
puts "before [nosuch] after"
puts never
