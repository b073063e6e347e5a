# A message stays in ::errorMsg until the next report; success clears nothing.
cmdcount {alias a nosuch}
set a 1
puts $::errorMsg
# trace with a wrong subcommand reports and still succeeds
trace what ever
puts $::errorMsg
