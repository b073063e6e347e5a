puts "program running with argc=$argc"
puts "leftover is gone: [catch {set leftover} -quiet]"
