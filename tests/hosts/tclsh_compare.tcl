# Runs every script of the table through the zorak host and through this
# tclsh, and fails when a result differs. A case that fails in both agrees:
# only the fact of the failure is compared, as the messages differ in form.
# Usage: tclsh tclsh_compare.tcl ZORAK TABLE WORKDIR
lassign $argv zorak table work
set in [open $table]
set lines [split [read $in] "\n"]
close $in

set cases {}
set script ""
foreach line $lines {
    if {[string trim $line] eq "" || [string index $line 0] eq "#"} continue
    lappend cases $line
    set n [llength $cases]
    append script "if \{\[catch \{$line\} r\]\} \{puts \"@@$n ERROR\"\} else \{puts \"@@$n <\$r>\"\}\n"
}
if {[llength $cases] < 150} {
    puts "the table holds [llength $cases] cases, fewer than 150"
    exit 1
}
file mkdir $work
set path [file join $work tclsh_cases.tcl]
set out [open $path w]
puts -nonewline $out $script
close $out

# Only the marked lines count: the host also prints its error messages.
proc answers {output} {
    set found [dict create]
    foreach line [split $output "\n"] {
        if {[regexp {^@@([0-9]+) (.*)$} $line -> n text]} {dict set found $n $text}
    }
    return $found
}
catch {exec [info nameofexecutable] $path 2>@1} theirs
catch {exec $zorak $path 2>@1} ours
set theirs [answers $theirs]
set output $ours
set ours [answers $ours]
if {[dict size $ours] == 0} {
    puts "the zorak host answered nothing:\n[string range $output 0 2000]"
    exit 1
}

set failures 0
for {set n 1} {$n <= [llength $cases]} {incr n} {
    set want [expr {[dict exists $theirs $n] ? [dict get $theirs $n] : "(nothing)"}]
    set got [expr {[dict exists $ours $n] ? [dict get $ours $n] : "(nothing)"}]
    if {$want ne $got} {
        incr failures
        puts "case $n: [lindex $cases [expr {$n - 1}]]"
        puts "  tclsh: $want"
        puts "  zorak: $got"
    }
}
puts "[llength $cases] cases, $failures differ"
exit [expr {$failures > 0}]
