# eqn without a length is a usage error, which ends the script
puts "code [catch {eqn abc abd} r] $r"
eq a
puts "not reached"
