# clock format, scan and add in UTC; the outputs match tclsh's.
option autoexec off
set t 1700000000
# Every %-code of the format, on one line.
puts [clock format $t -format "%a %A %b %B %C %d %D %e %g %G %h %H %I %j %J %k %l %m %M %N %p %P %r %R %s %S %u %U %V %w %W %x %X %y %Y %z %Z %% %q" -gmt 1]
# The default format, and %c.
puts [clock format $t -gmt 1]
puts [clock format $t -format %c -gmt true]
# -timezone :UTC names the zone UTC.
puts [clock format $t -format "%H:%M %Z" -timezone :UTC]
# Before 1970, leap days, the ends of the calendar, ISO weeks at year ends.
foreach v {-1 951782400 -62135596800 253402300799 1104537600 1230768000 1293753600 1735603200} {
    puts [clock format $v -format "%Y-%m-%d %H:%M:%S %a %j %U %V %W %G" -gmt 1]
}
# Free-form scans of the common date forms.
foreach s {"2023-11-14 22:13:20" "2023-11-14" "2023/11/14 10:00" "11/14/2023" "12/31/99"
           "14 Nov 2023" "Nov 14, 2023 10:00" "20231114T101112" "20231114"
           "2023-11-14T10:00:00" "Tue Nov 14 22:13:20 GMT 2023" "2024-02-29 23:59:59 UTC"} {
    puts "$s => [clock scan $s -gmt 1]"
}
# A time of day alone takes the day of -base.
puts [clock scan "10:00" -base 0 -gmt 1]
puts [clock scan "1:05:07 pm" -base 86400 -gmt 1]
# Scans with -format, an offset, a day of the year, a two-digit year.
foreach {text format} {"14/11/23" "%d/%m/%y" "Nov 14 2023" "%b %d %Y" "1:05:07 PM" "%I:%M:%S %p"
                       "1700000000" "%s" "2023 318" "%Y %j" "Tuesday, November 14, 2023" "%A, %B %d, %Y"
                       "11/14/2023" "%D" "2023-11-14T22:13:20+0100" "%Y-%m-%dT%H:%M:%S%z"} {
    puts "$text => [clock scan $text -format $format -gmt 1 -base 0]"
}
# A value formatted and scanned back is the same value.
puts [clock scan [clock format $t -gmt 1] -gmt 1]
# add: months keep the day or take the month's last one; units mix.
foreach {value count unit} {0 1 month 1706659200 1 month 1706659200 13 months 1709164800 1 year
                            0 3 days 0 2 weeks 0 -5 hours 0 90 minutes 1706659200 -1 month} {
    puts "add $value $count $unit => [clock add $value $count $unit -gmt 1]"
}
puts [clock add 0 1 day 2 hours -gmt 1]
puts [clock add 5]
# The clocks answer whole numbers that grow in step.
set s [clock seconds]; set ms [clock milliseconds]; set us [clock microseconds]
puts [expr {$ms / 1000 - $s <= 1 && $us / 1000 - $ms <= 1000}]
puts [expr {[clock clicks -milliseconds] <= [clock clicks] / 1000 + 1}]
# Errors: each prints its message and gives code 1.
foreach script {{clock format abc} {clock format 253402300800 -gmt 1} {clock format 1 -bad x}
                {clock format 1 -gmt maybe} {clock format 1 -timezone Europe/Paris}
                {clock scan garbage} {clock scan "2023-11-14" -format "%d.%m.%Y"}
                {clock scan "10000-01-01" -format "%Y-%m-%d" -gmt 1} {clock add 0 3 fortnights}
                {clock add 0 x days} {clock add 253402300799 1 second -gmt 1}
                {clock add 0 99999999999999 years} {clock clicks -nanoseconds} {clock bogus}} {
    puts "code [catch $script]"
}
# Missing words show the usage and stop: caught here as code 6.
puts [catch {clock format 1 -format}]
