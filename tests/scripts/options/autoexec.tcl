# autoexec with one word switches, otherwise it shows the state.
autoexec
autoexec off
autoexec
autoexec ON
autoexec
autoexec on extra
# any word but ON turns it off
autoexec maybe
puts [option autoexec]
