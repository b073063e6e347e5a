# Every channel error: bad names and modes, and numbers that name no open
# channel, which every command rejects (a closed handle among them).
file delete -force tmp_channel_errors ;# what a failed run left
file mkdir tmp_channel_errors
set f [open tmp_channel_errors/x.txt w]
close $f
puts "missing: [catch {open tmp_channel_errors/missing.txt} r] '$r'"
puts "missing for writing: [catch {open tmp_channel_errors/no/such.txt w}]"
puts "bad mode: [catch {open tmp_channel_errors/x.txt q} r] '$r'"
puts "mode letters: [catch {open tmp_channel_errors/x.txt rbt}]"
puts "close closed: [catch {close $f} r] '$r'"
puts "close 0: [catch {close 0}]"
puts "gets closed: [catch {gets $f}]"
puts "gets word: [catch {gets nosuch}]"
puts "read closed: [catch {read $f}]"
puts "eof closed: [eof $f]"
puts "flush closed: [catch {flush $f} r] '$r'"
puts "tell closed: [catch {tell $f} r] '$r'"
puts "rewind closed: [catch {rewind $f} r] '$r'"
puts "puts closed: [catch {puts $f text}]"
file delete -force tmp_channel_errors
