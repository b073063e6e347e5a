# The channel commands on a file of their own, in a folder removed at the end.
file delete -force tmp_channels ;# what a failed run left
file mkdir tmp_channels
set name tmp_channels/lines.txt
# puts with a handle writes to the file even though the console is open.
set f [open $name wb]
puts $f a
puts -nonewline $f b
puts $f ""
puts "close: [close $f]"
# gets with a variable: the lengths, then the end with the variable emptied.
set f [open $name]
puts "fresh eof: [eof $f]"
puts "[gets $f x] '$x'"
puts "[gets $f x] '$x'"
puts "end: '[gets $f x]' '$x' eof: [eof $f]"
# tell, rewind and gets without a variable.
puts "tell: [tell $f] rewind: [rewind $f] tell: [tell $f] eof: [eof $f]"
puts "line: [gets $f]"
# read: a count, then the rest; nothing left is code 1.
rewind $f
puts "read 2: '[read $f 2]'"
puts "rest: '[read $f]'"
puts "empty read code: [catch {read $f}]"
puts "zero count code: [catch {read $f 0}]"
close $f
# A line longer than -length comes in pieces; "-" skips the variable.
writefile $name "abcdefg\r\nxy\n"
set f [open $name]
puts "[gets $f - -length 3] [gets $f part -length 3]:$part [gets $f] [gets $f]"
close $f
# Modes: append with "a", read and write with "rb+", flush a channel.
set f [open $name a]
puts $f "added"
puts "flush: [flush $f]"
close $f
set f [open $name rb+]
puts "rb+ first: [gets $f] last: [read $f]"
close $f
# Standard streams where the commands take them.
puts "stdout: [flush] [flush stdout] [flush stderr] eof stdin: [eof stdin]"
puts "stdin: '[gets -]' '[gets stdin]'"
file delete -force tmp_channels
puts "left behind: [file exists tmp_channels]"
