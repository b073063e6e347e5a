# Local time follows TZ, which setenv changes at once. The zone is written
# as a rule, so no zone files are needed: Central European time.
option autoexec off
setenv TZ CET-1CEST,M3.5.0,M10.5.0/3
# Winter and summer offsets and names.
puts [clock format 1700000000]
puts [clock format 1690000000 -format "%Y-%m-%d %H:%M:%S %Z %z"]
puts [clock scan "2023-07-22 06:26:40"]
# Across the spring change a day keeps the time of day, 24 hours do not.
set noon [clock scan "2023-03-25 12:00"]
puts "[clock format [clock add $noon 1 day] -format %H:%M] [clock format [clock add $noon 24 hours] -format %H:%M]"
puts "[is_dst 1690000000] [is_dst 1700000000]"
puts "[date_to_ctime {2023-07-22 06:26:40}] [date_to_ctime {2023-07-22 06:26:40} -gmt]"
puts "[ctime_to_double 1690000000] [ctime_to_double 1690000000 -gmt]"
puts [double_to_ctime [ctime_to_double 1690000000]]
puts [date {$hh:$ii} 1690000000]/[date {$hh:$ii} 1690000000 -gmt]
# Back to UTC.
setenv TZ UTC
puts [clock format 1700000000]
