# Windows: drive letters name their drive's root; shell links only end in .lnk.
option autoexec off
array set d [diskstat C]
puts "diskstat keys: [lsort [array names d]] [expr {$d(available) <= $d(free)}] [expr {$d(free) <= $d(total)}]"
puts "diskfree: [expr {[diskfree C:] > 0}] [expr {[diskfree c] == [diskfree C:]}]"
puts "disktype: [disktype C -name] [disktype C]"
puts "missing: [catch {diskfree Q:/no/such}] [catch {disktype Q:/no/such}]"
puts "not a link: [catch {link_to_path disks.tcl}] missing link: [catch {link_to_path none.lnk}]"
set n [normal_path C:/a//b]
puts "separators: [is_dir C:/] [string equal [string map {/ x} $n] $n] [string length $n]"
