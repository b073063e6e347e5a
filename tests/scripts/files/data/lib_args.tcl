puts "inside: argc=$argc argv(0)=$argv(0) argv(1)=$argv(1) argv(2)=$argv(2)"
set sourced_value 5
return 5
