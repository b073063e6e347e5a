# A step too small to change the value is an error, not an endless loop.
puts [catch {floop i 9007199254740992 9007199254740999 {}}]
# an ordinary fractional loop still runs
floop i 0 1 0.25 {puts $i}
