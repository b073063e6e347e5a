# inspect of a missing variable reports it and answers 0
puts [inspect nosuch]
puts [inspect nosuch(x) label]
# inspect needs a name
inspect
