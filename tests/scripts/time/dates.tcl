# The date helpers: date tokens, date serials and their conversions, and
# the calendar predicates. Local time is UTC here (TZ set below).
option autoexec off
setenv TZ UTC
# date: the tokens, the default format, UTC and an explicit clock value.
puts [date {$yyyy/$mm/$dd $hh:$ii:$ss ($yy) $$dd $x} 1700000000]
puts [date {} 0]
puts [date {$dd-$mm-$yyyy} 86399 -gmt]
puts [string length [date]]
# dateserial carries months and days over; serials before 1899-12-30 are negative.
puts "[dateserial 1899 12 30] [dateserial 2000 1 1] [dateserial 2023 13 1] [dateserial 2024 3 0] [dateserial 1899 12 29] [dateserial 1 1 1] [dateserial 9999 12 31]"
# day_of_week: numbers from 0 (Sunday), names with -name.
puts "[day_of_week 2000-01-01] [day_of_week 2023-11-14 -name] [day_of_week -name 1970-01-01]"
# The serial of a clock value, and back; the fraction is the time of day.
puts "[ctime_to_double 0] [ctime_to_double 1700000000 -gmt] [ctime_to_double -86400]"
puts "[double_to_ctime 25569] [double_to_ctime 25569.5 -gmt] [double_to_ctime [ctime_to_double 1700000000]]"
# Before the serials' epoch the fraction still counts into the day.
puts "[iso_to_double 1899-12-29T06:00:00] [double_to_ctime -1.25]"
puts "[iso_to_double 2000-01-01T18:00:00Z] [iso_to_double 20000101] [iso_to_double {2000/01/01 06:00:00.5}]"
# date_to_ctime reads local time or, with -gmt, UTC.
puts "[date_to_ctime 2023-11-14T22:13:20] [date_to_ctime {1970-01-02 00:00} -gmt] [date_to_ctime 0001-01-01 -gmt]"
# is_date checks the calendar strictly.
foreach d {2024-02-29 2023-02-29 2023-13-01 2023-00-10 "2023-01-01 24:00" "2023-01-01 23:59:59" 20230101 2023-1-5 "" x 2023-01-01junk} {
    puts -nonewline "[is_date $d]"
}
puts ""
puts "[is_leapyear 2000][is_leapyear 1900][is_leapyear 2024][is_leapyear 2023][is_leapyear -4]"
puts [string length [is_leapyear]]
# No summer time in UTC.
puts "[is_dst 1690000000] [is_dst]"
# Errors: each prints its message and gives code 1.
foreach script {{date x abc} {date x 253402300800} {dateserial 2000 x 1} {dateserial 10000 1 1}
                {dateserial 1 1 0} {day_of_week 2023-02-30} {ctime_to_double 1.5}
                {double_to_ctime abc} {double_to_ctime 1e300} {double_to_ctime 3000000}
                {iso_to_double 2023-11-14T25:00} {date_to_ctime tomorrow} {is_leapyear 20x}
                {is_dst -99999999999999}} {
    puts "code [catch $script]"
}
