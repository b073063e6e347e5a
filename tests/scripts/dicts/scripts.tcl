# for visits every pair; an error goes on with the next pair
dict for {k v} {a 1 b 2} {puts "$k=$v"}
puts [catch {dict for {k v} {a 1 b 2} {puts "body $k"; error x}}]
# break ends the loop and is not passed on to the loop around it
foreach round {1 2} {
    dict for {k v} {a 1 b 2} {puts "$round $k"; break}
}
puts "<[dict for {k v} {} {puts never}]>"
puts [catch {dict for {k} {a 1} {}}]
puts [catch {dict for {k v} {a 1 b} {}}]
dim arr 2
puts [catch {dict for {arr v} {a 1} {}}]
puts [catch {dict for {k arr} {a 1} {}}]
puts [catch {dict for {{} v} {a 1} {}}]
puts [catch {dict for {k v} {a 1}}]
# map stores the iterator values back; continue skips a pair
puts [dict map {k v} {a 1 b 2 c 3} {set v [expr {$v * 10}]}]
puts [dict map {k v} {a 1 b 2} {if {[expr {$k eq "a"}]} continue; set v new}]
puts [dict map {k v} {a 1 b 2} {break}]
puts [catch {dict map {k v} {a 1} {error boom}}]
puts [catch {dict map {k v w} {a 1} {}}]
puts [catch {dict map {k v} {a 1} {unset k}}]
puts [catch {dict map {k v} {a 1} {unset v}}]
# with makes a variable of each key, and removes them with -unset
set person {name Ann age 33}
dict with person {puts "$name is $age"}
dict with person -unset {puts "$name again"}
puts [catch {set name}]
# a dictionary variable gives its pairs
set dv [dict create colour red]
dict with dv {puts $colour}
puts [catch {dict with nosuch {}}]
set odd {a 1 b}
puts [catch {dict with odd {}}]
puts [catch {dict with person -unset}]
set blank {{} 1}
puts [catch {dict with blank {}}]
