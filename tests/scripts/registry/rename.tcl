# rename moves a command to a new name and answers 1.
alias p puts
puts [rename p q]
q "q works"
puts [is_command p][is_command q]
# "::" before the old name names the same command
puts [rename ::q r]
puts [is_command q][is_command r]
# an empty new name removes the command
puts [rename r ""]
puts [is_command r]
# -nocomplain silences the message, not the failure
cmdcount {rename nosuch x -nocomplain} v
puts "quiet: $v"
# an existing new name is refused
alias s puts
cmdcount {rename s puts} v
puts [is_command s]
# a missing command answers 0 with code 1
rename nosuch x
