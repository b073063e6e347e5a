set n k; set $n 7; puts $$n; puts ${n}
set ::g 1; ::set ::g 2; puts $::g
puts [123] [1+2]
42
# comment
set s {puts "}"}; eval $s
