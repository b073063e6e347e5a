set a 0x1F; set b &hff; set c 0b101; set d 0o17
puts "0x10" $a$b$c$d
set q "line\nnext\t\$x \[y\]"
