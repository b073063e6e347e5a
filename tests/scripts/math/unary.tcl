# ! is the logical not, ~ the 64-bit complement
puts "[! 0] [! 5] [! 0.0] [~ 0] [~ 5] [~ -1] [~ 0 -unsigned]"
# An empty or missing value yields 1
puts "[! {}] [!] [~ {}]"
# Radix texts are numbers (quoted, so the script's literal pass keeps them)
puts "[! 0x0] [~ 0xff] [! &h10] [~ &b1] [! 0b101]"
# Anything else is not a number
puts "code [catch {! abc}]"
puts "code [catch {~ 0xzz}]"
# & followed by anything but h or b is an unknown type
puts "code [catch {~ &q1}]"
# A third word other than -unsigned is a usage error
puts "code [catch {! 1 -signed}]"
