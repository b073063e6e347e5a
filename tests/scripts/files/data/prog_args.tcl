puts "arguments: $argc $argv(0) $argv(1)"
puts "load inside run: [catch {load data/prog}] $::errorMsg"
