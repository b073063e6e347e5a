# assert checks a value with a test command over the temporary variable _
option autoexec off
puts "pass: [assert 1]"
assert 5 {== $_ 5} -v
assert 5 {== $_ 5} -v -line 42
puts "fail: [catch {assert 0}]"
puts "fail with line: [catch {assert 3 {== $_ 4} -line 7}]"
set _ taken
puts "taken: [catch {assert 1}] $::errorMsg"
unset _
puts "named var: [assert 9 {== $v 9} -var v]"
puts "bad test: [catch {assert 1 {nosuchtest $_}}]"
# a test that removes the temporary variable itself is reported
puts "removed: [catch {assert 1 {unset _; expr 1}}]"
