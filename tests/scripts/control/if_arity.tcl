# if with four words is a usage error; with seven too
puts "code [catch {if 1 {puts a} else}]"
puts "code [catch {if 0 {puts a} elseif 1 {puts b} else}]"
# An elseif without its body
puts "code [catch {if 0 {puts a} elseif 1}]"
if 1
puts "not reached"
