# find lists the topics whose text holds the keyword, each once, sorted;
# lines that say "see also" and hidden blocks do not count
find variable
# quotes around the keyword are dropped; the comparison is case-sensitive
find {"Counts"}
find counts
# no keyword: nothing at all
find
