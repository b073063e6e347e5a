# try runs its handler on error and stop only
option autoexec off
try {error bad} catch {puts "handled: $::errorMsg"}
try {puts "no error"} catch {puts "not run"}
puts "break passes through: [catch {try {break} catch {puts "not run"}}]"
try {set a b c} catch {puts "stop is trapped too"}
try {error quiet-one} catch {puts "quiet handler: $::errorMsg"} -quiet
puts "syntax: [catch {try {set a} except {x}}] $::errorMsg"
try {set a}
