# min and max read 64-bit decimal integers
puts "[min 5 3 9] [max 5 3 9] [min -1] [max 2.9 2] [max 9223372036854775807 -9223372036854775808]"
# ceil gives an integer; huge values saturate
puts "[ceil 2.1] [ceil -2.1] [ceil 5] [ceil 1e300] [ceil -1e300] [ceil abc]"
# atof prints with %f, ftoa with %e
puts "[atof 2.5] [atof abc] [ftoa 1234.5] [ftoa 0]"
# mean and median print with fifteen decimals
puts "[mean 1 2 3 4] [mean 5] [median 1 5 3 4] [median 3 1 2] [median 7]"
# mode is the most frequent word; the first of equal counts wins
puts "[mode 1 2 2 3] [mode b a a b c] [mode x x y y y] [mode 1.0 1 1.0]"
puts "code [catch {mode 1 2 3} r] $r"
