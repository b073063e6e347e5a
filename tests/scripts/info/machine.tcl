# Machine questions; values vary, so only their shapes are shown.
proc isDigits {x} {
    if {[eq $x ""]} { return 0 }
    foreach piece [split $x 0123456789] { if {[ne $piece ""]} { return 0 } }
    return 1
}
proc isHex {x} {
    if {[eq $x ""]} { return 0 }
    foreach piece [split $x 0123456789ABCDEF] { if {[ne $piece ""]} { return 0 } }
    return 1
}
# every memory figure is a whole number of bytes
foreach word {memtotal memavail memtotalpage memavailpage memtotalvirtual memavailvirtual} {
    puts "$word [isDigits [info $word]]"
}
puts [> [info memtotal] 0]
puts [<= [info memavail] [info memtotal]]
# the percentage has two decimals
set parts [split [info mempercentfree] .]
puts "[llength $parts] [isDigits [lindex $parts 0]] [isDigits [lindex $parts 1]]"
catch {info memfoo}
# the version text: default, list, numbers only
set text [info winver]
puts [lindex $text end]
puts [in {32 64} [lindex $text end-1]]
puts [in {3 4} [llength [info winver -list]]]
puts [in {32 64} [lindex [info winver -list] end]]
set numbers [split [info winver -vernum -truever] .]
puts "[llength $numbers] [isDigits [lindex $numbers 0]] [isDigits [lindex $numbers 1]]"
# disks: the root's type is a disk type and its size a number
set root [lindex [info disks] 0]
puts [> [llength [info disks]] 0]
puts [in {2 3 4 5 6} [info disktype $root]]
puts [isDigits [info disksize $root]]
puts [info disktype /no/such/folder]
catch {info disksize /no/such/folder}
# counts and flags
puts [isDigits [info monitorcount]]
puts [in {0 1} [info is_networked]]
# a GUID: five groups of upper-case hex digits, version 4
set guid [split [info guid] -]
puts [llength $guid]
puts "[isHex [join $guid ""]] [ne [info guid] [info guid]]"
