# Timing and waiting: time, sleep, after with vwait and doevents. Delays
# are a few milliseconds; nothing checks how long anything took.
option autoexec off
# time reports the average per run; 0 runs report 0; a failure passes out.
puts [string match "* microseconds per iteration" [time {set a 1} 50]]
puts [time {set a 1} 0]
puts [time {set a 1} -3]
set n 0
puts [string match "* microseconds per iteration" [time {incr n; if {[expr {$n == 3}]} break} 10]]
puts "runs before break: $n"
puts "code [catch {time {error boom} 3}]"
puts "code [catch {time {set a 1} many}]"
# The clocks that measure intervals never go back.
set t [ticks]; sleep 2
puts [expr {[ticks] >= $t}]
puts [expr {[timer] >= 0 && [timer] < 86400}]
# sleep and a plain after wait; a bad delay is an error.
sleep 0
after 1
puts "code [catch {sleep -1}] [catch {sleep soon}] [catch {after soon {puts x}}]"
# vwait runs the queue until the variable is written; scripts run at global level.
set id [after 5 {set ::done yes}]
puts [string match "after#*" $id]
puts "[after info $id] | [llength [after info]]"
vwait done
puts "done=$done"
# Due timers run in order, idle scripts after the due timers.
after 4 {lappend ::order late; set ::finished 1}
after idle {lappend ::order idle}
after 0 {lappend ::order first}
vwait finished
puts $order
# A queued script runs at global level even when vwait is called in a proc.
proc waiter {} { after 0 {set ::where [info level]}; vwait where; return $::where }
puts "level [waiter]"
# cancel by id or by script; an unknown id is no error.
set a [after 1000 {puts never}]
after 1000 {puts nor this}
after cancel $a
after cancel {puts nor this}
set unknown "after#99999"
after cancel $unknown
puts "queued: [llength [after info]]"
# A failing queued script is reported and the wait goes on.
after 0 {error "queued failure"}
after 1 {set ::survived 1}
vwait survived
puts "survived=$survived"
# vwait with nothing queued would wait forever: an error instead.
puts "code [catch {vwait never_set}]"
# doevents runs what is due now and counts it; a script that queues itself
# again waits for the next call.
after 0 {set ::tick 1}
after idle {after idle {set ::again 1}}
puts "ran [doevents], then [doevents], tick=$tick again=$again"
puts "ran [doevents]"
# An exit inside a queued script ends the wait and the script with it.
puts "code [catch {after 0 {stop}; vwait forever}]"
puts "code [catch {after info $unknown}] [catch {after info a b}] [catch {after bogus x}]"
