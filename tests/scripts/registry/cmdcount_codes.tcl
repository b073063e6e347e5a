# Unknown commands here must fail, not run as programs.
option autoexec off
# cmdcount reports and counts an error, and passes exit on with its value.
puts [catch {cmdcount {nosuch_command}}]
puts [cmdcount {nosuch_command} msg]
puts $msg
cmdcount {exit 3}
puts never
