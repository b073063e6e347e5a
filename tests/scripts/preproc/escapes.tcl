# C-like escapes are resolved while the script loads
puts "tab:\t|"
puts "hex:\x41 octal:\101"
puts "kept: \$ \[ \{"
puts "joined \
   line"
# radix literals reach the evaluator as decimal numbers
puts 0x1F
puts 0b101
puts 0o17
puts "0x1F in quotes stays"
