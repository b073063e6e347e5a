# newline writes |count| line ends, up to tab's cap; past it is an error.
newline -2
puts [catch {newline -9223372036854775808}]
puts [catch {newline 16777217}]
puts [catch {tab 16777217}]
