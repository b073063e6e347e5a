# enum numbers constants upwards, an element with a number restarting there
puts [enum {RED GREEN {BLUE 10} WHITE}]
puts "$RED $GREEN $BLUE $WHITE"
puts [is_const BLUE]
puts [enum {ONE TWO} 1]
puts "$ONE $TWO"
puts [enum {}]
puts [enum {{NEG -5} NEXT}]
puts "$NEG $NEXT"
# a name in use, a bad number or start defines nothing
puts [catch {enum {FRESH RED}} m]
puts "$m / [defined FRESH]"
puts [catch {enum {{A 1 2}}} m]
puts $m
puts [catch {enum {{A x}}} m]
puts $m
puts [catch {enum {A} many} m]
puts "$m / [defined A]"
# the store keeps texts apart from frames, shared by procedures
puts [store set user alice]
proc reader {} { return [store get user] }
puts [reader]
puts "[store exists user] [store exists nobody]"
puts [store get nobody fallback]
puts [catch {store get nobody} m]
puts $m
store set beta 2
store set Alpha 1
puts [store names]
puts [store names a*]
puts [store count]
puts "[store unset beta] [store unset beta]"
puts [store clear]<[store names]>[store count]
puts [catch {store bogus} m]
puts $m
# a known subcommand with the wrong words gives the usage report
puts [catch {store set onlykey}]
