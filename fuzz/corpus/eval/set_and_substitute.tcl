set a 5; set b $a; puts "a=$a b=$b"
