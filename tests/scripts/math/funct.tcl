# funct calls a function of the table by its exact name
puts "[funct sqrt 9] [funct pow 2 8] [funct rnd 3 3] [funct abs -1.5]"
# Words after the second join the second argument
puts "code [catch {funct pow 2 3 4}]"
# arity gives the table's arity, or -1
puts "[arity pow] [arity sqrt] [arity rand] [arity srand] [arity error] [arity Sqrt] [arity nosuch]"
# Names outside the table, or in another case, are not functs
puts "code [catch {funct SQRT 4} r] $r"
puts "code [catch {funct nosuch 4}]"
# A function without a value leaves an empty result and code 1
puts "code [catch {funct sqrt -4} r] <$r>"
# An argument list without its closing parenthesis
puts "code [catch {funct sqrt (}]"
