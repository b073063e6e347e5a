# Writes 100,000 lines to a file with puts on a channel, then reads them
# back with gets until eof, and prints how many came back.
set name zorak_bench_file_lines.tmp
set f [open $name w]
set i 0
while {[expr {$i < 100000}]} {
    puts $f "line $i of the benchmark file"
    incr i
}
close $f
set f [open $name r]
set count 0
while {1} {
    gets $f line
    if {[eof $f]} break
    incr count
}
close $f
file delete $name
puts $count
