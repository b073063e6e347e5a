# break and continue return their codes; catch sees them
puts "[catch break] [catch continue]"
puts "code [catch {break now}]"
