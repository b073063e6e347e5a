# #exit alone ends the text there
puts "run"
#exit
puts "not run"
