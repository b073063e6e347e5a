# Array elements must hold numbers
set a(n) 5
puts "[incr a(n)] $a(n)"
puts "[incr a(n) 2 -unsigned] $a(n)"
# -width masks the new value to 8, 16 or 32 bits
set a(w) 255
puts "[incr a(w) 1 -width 8] $a(w)"
set a(w) 65535
puts "[incr a(w) -width 16] [incr a(w) 1 -width 12]"
set a(w) -1
puts "[incr a(w) 0 -width 32]"
set a(t) abc
puts "code [catch {incr a(t)}] $a(t)"
