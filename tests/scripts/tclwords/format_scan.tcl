# format, printf and scan: what tclsh cannot check for us (this dialect's
# number forms, its 8-bit texts, its limits) and every error message.
proc check {script} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code: $m"
}
# format reads the dialect's radix forms for integers and floats
puts [format "%d %d %d %x" &hff &b101 0o17 1234]
puts [format %.1f &h10]
# leading zeros are decimal here
puts [format %d 010]
# integers wrap at 64 bits
puts [format %d 18446744073709551617]
puts [format %u -2]
# a code above 255 is written in UTF-8; 1 to 255 as that byte
puts [string length [format %c 300]]
puts [string length [format %c 200]]
# widths and precisions from the values may be negative
puts "<[format %*s -4 ab]> <[format %.*s -1 abc]>"
# a variable's value goes through untouched, brackets and dollars included
set text {[x] $y}
puts [format {%s|%-8s|} $text $text]
# the alternate forms and an unclosed set are read from a file: the
# preprocessor takes "#" for a directive and counts brackets
option preprocessor off
source data/alternate.tcl
option preprocessor on
# errors: missing values, positions, bad specifiers, bad numbers, limits
check {format %d}
check {format {%2$s} a}
check {format {%1$s %s} a b}
check {format {%s %1$s} a b}
check {format %y 1}
check {format %5}
check {format %d 12x}
check {format %e one}
check {format %f NaN}
check {format %1000001d 1}
check {format %.*f 99999999 1}
check {format %c 0}
check {format %c -1}
check {format %c 1114112}
check {format}
# printf writes without a line end; escapes apply as for puts
printf "%s=%d;" a 1
printf "%s\n" done
check {printf %d x}
puts [printf %s ok]<
# scan: hexadecimal keeps 64-bit patterns, longer values saturate
puts [scan ffffffffffffffff %x]
puts [scan 123456789012345678901234 %d]
# %c gives the byte's code, 8-bit
puts [scan "\xe9" %c]
# scan into variables keeps the unfilled ones as they were
set a old; set b old
puts [scan "5" "%d %d" a b]
puts "$a $b"
# -1 when the text ends before the first conversion
puts [scan "   " "%d" a]
# a variable that cannot be set is reported
const fixed 1
check {scan 5 %d fixed}
puts $fixed
# errors of the format and of the names
check {scan 12 %q}
check {scan 12 %}
check {scan abc %3c}
check {scan 12 {%d %2$d}}
check {scan 12 {%2$d %d}}
check {scan 12 {%1$d %1$d}}
check {scan 12 {%0$d}}
check {scan 12 %1000001d}
check {scan {1 2} {%d %d} a}
check {scan {1 2} %d a b}
check {scan {1 2} {%2$d} a b}
check {scan 12}
