# An `unknown` command receives a missing command's words, and the script
# goes on after it. Here `unknown` is an alias of resume, which does nothing
# when called by another name.
option autoexec off
alias unknown resume
nosuch a {b c}
puts "still running"
