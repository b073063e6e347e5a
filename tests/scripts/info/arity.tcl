# Wrong word counts print the usage report; catch sees code 6 (stop).
# is_set needs a name
puts [catch {is_set}]
# the privilege questions take no words
puts [catch {is_elevated now}]
puts [catch {is_admin now}]
# hostname takes a field and an index at most
puts [catch {hostname ip_address 0 1}]
# info default needs a procedure, an argument and a variable
proc p {{x 1}} {}
puts [catch {info default p x}]
# an adapter field takes one index
info ip_address 0 1
