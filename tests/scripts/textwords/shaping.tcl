# extract, filter, tokenise, wrap, unwrap and expand
option autoexec off
# extract: between the markers; an empty marker is an end of the text
puts <[extract "a <b>bold</b> c" <b> </b>]><[extract "a=1;b=2" b= ";"]><[extract key=value = ""]><[extract key=value "" =]>
# a missing marker gives nothing, -nocase folds the markers
puts <[extract abc x c]><[extract abc a x]><[extract "<B>x</B>" <b> </b> -nocase]><[extract "<B>x</B>" <b> </b>]>
puts "[catch {extract a b c -x} m] $m"
# filter removes a set or keeps it; ranges and a literal "-"
puts <[filter "hello world" lo]><[filter "(555) 123-4567" 0-9 -keep]><[filter a-b-c -]><[filter abcXYZ a-cX-Y]><[filter abc z-a]>
puts "[catch {filter a b -x} m] $m"
# tokenise: runs of separators part once; quotes group and are dropped
puts [tokenise {  copy "my file.txt"   backup  }]
puts [tokenise {1,"Smith, J",,x} ,]
puts [tokenise {say "he said ""hi"""}]
puts <[tokenise {a "" b}]><[tokenise ""]><[tokenise {ab"c d"e}]>
# an unbalanced quote fails (built with chr: a script cannot hold one)
set q [chr 34]
puts [catch {tokenise "a ${q}b c"} m]$m
# wrap fills lines with whole words; long words stand alone; empty lines stay
puts [wrap "the quick brown fox jumps over the lazy dog" 10]
puts [wrap "a verylongword b" 4]
puts <[wrap "one two\n\nthree   four" 80]>
puts "[catch {wrap abc 0} m] $m"
puts "[catch {wrap abc x} m] $m"
# unwrap joins paragraph lines and keeps the empty lines between them
puts <[unwrap "the quick\n  brown fox  \n\n  second\r\npara\n"]>
puts <[unwrap [wrap "the quick brown fox jumps over the lazy dog" 10]]>
puts <[unwrap ""]><[unwrap "\n\n"]>
# expand: tab stops every 8 (or tabwidth) columns, counted per line
puts <[expand "a\tb"]>
puts <[expand "ab\tc\n\tx\tyz" 4]>
puts <[expand "\t" 1]><[expand "abc\t" 3]>
puts "[catch {expand a 0} m] $m"
puts "[catch {expand a 257} m] $m"
