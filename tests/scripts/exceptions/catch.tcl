# catch traps every completion code and yields it as its result
option autoexec off
puts "error: [catch {error oops} v] v=$v errorMsg=$::errorMsg"
puts "ok: [catch {set x 42} v] v=$v"
puts "ok with empty result keeps the variable empty: [catch {set y {}} v] v='$v'"
puts "break: [catch {break}]"
puts "continue: [catch {continue}]"
puts "return: [catch {return}]"
# a quiet catch stores the message without printing it
puts "quiet: [catch {set nosuch} m -quiet] m=$m"
# only one message is covered by -quiet: the second one prints
puts "second: [catch {catch {set nosuch1} -quiet; set nosuch2} m -quiet]"
# error with info, code and line sets the other error variables
puts "coded: [catch {error msg info 7 12}] $::errorInfo $::errorCode $::errorLine"
# error with code 0 is a success
puts "code zero: [catch {error msg {} 0}]"
catch
