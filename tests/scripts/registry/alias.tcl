# alias registers a second name for an existing command.
alias p puts
p hi
is_command p
puts [is_command p]
# an alias keeps working after the original is renamed
rename puts print
p "still here"
print [is_command puts]
rename print puts
# cmdcount's variable receives ::errorMsg only when its script failed
cmdcount {alias q nosuch} msg
puts "missing: $msg"
cmdcount {alias p set} msg
puts "taken: $msg"
# the failing command itself ends the script with code 1
alias q nosuch
puts never
