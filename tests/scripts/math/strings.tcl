# Byte-wise text comparisons
puts "[eq abc abc] [ne abc abd] [lt 10 9] [gt a B] [le b b] [ge a b]"
# -nocase and the i forms fold ASCII case
puts "[eq ABC abc] [eq ABC abc -nocase] [eqi ABC abc] [nei ABC abd] [lti a B] [gti a B] [lei A a] [gei a B]"
# {} and two double quotes count as empty texts
set quotes {""}
puts "[eq {} $quotes] [eq $quotes {}] [lt {} a] [eq $quotes x]"
# eqn and nen compare the first length characters
puts "[eqn abcdef abcxyz 3] [eqn abcdef abcxyz 4] [nen abcdef abcxyz 4] [eqn ABc abC 3 -nocase] [eqn abc xyz 0]"
