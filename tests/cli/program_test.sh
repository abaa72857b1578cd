#!/usr/bin/env bash
# The torven program as a user runs it: results, exit statuses and messages
# for each class of bad input.   program_test.sh TORVEN EXAMPLES_DIR
set -uo pipefail
torven=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect NAME STATUS PATTERN -- command...
  local name=$1 status=$2 pattern=$3
  shift 4
  local out rc
  out=$("$@" 2>&1)
  rc=$?
  if [ "$rc" -ne "$status" ] || ! grep -q -e "$pattern" <<<"$out"; then
    echo "FAIL $name: status $rc (wanted $status), output:"
    echo "$out" | head -5
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

printf 'PVSF56(20)\n# a comment\n\nPVSF56(1\nNOPE(2)\nPVSF56(0)   # trailing comment\n' >"$work/calls.txt"
printf 'a,b\n1,2\n3\n5,6\n' >"$work/ragged.csv"
printf 'tmax,tmin\n25,18\n' >"$work/ok.csv"
printf 'a,b\n1,2\n\n,\n3,4\n\n' >"$work/blank.csv"
printf 'a,b\n1,NaN\n2, -9999 \n3,S/D\n4,5\n5,-9999.00\n6,-9999.5\n' >"$work/gaps.csv"

expect "a call"                 0 '^3.8791115275655' -- "$torven" 'ETPF56(187, 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, 100, 50.8)'
expect "standard input"         0 '^2.338' -- sh -c "echo 'PVSF56(20)' | '$torven'"
expect "bad lines are reported, the others evaluated" 1 'calls.txt:4, column 9: missing' -- "$torven" -f "$work/calls.txt"
expect "the good lines still print" 1 '^0.6108' -- "$torven" -f "$work/calls.txt"
expect "unknown function"       1 "unknown function 'NOPE'" -- "$torven" -f "$work/calls.txt"
expect "too many arguments"     1 'PVSF56 takes 1 argument, 2 given' -- "$torven" 'PVSF56(1;2)'
expect "unreadable file"        1 "cannot read '$work/none.txt'" -- "$torven" -f "$work/none.txt"
expect "unreadable CSV"         2 "cannot read CSV file" -- "$torven" --csv "$work/none.csv" 'PVSF56(a)'
expect "missing CSV column"     2 "no column named 'tmean'" -- "$torven" --csv "$work/ok.csv" 'PVSF56(tmean)'
expect "ragged CSV row"         1 'ragged.csv:3: ragged row: 1 fields, the header has 2' -- "$torven" --csv "$work/ragged.csv" 'PVSF56(a)' --as s
expect "ragged row: others kept" 1 '^5,6,' -- "$torven" --csv "$work/ragged.csv" 'PVSF56(a)' --as s
expect "CSV column added"       0 '^tmax,tmin,ea$' -- "$torven" --csv "$work/ok.csv" 'PVHM(tmax;tmin;50)' --as ea
expect "how the file was read, on stderr" 0 "ok.csv: read as UTF-8 (--encoding), ',' between fields (--delimiter), decimal point" -- \
  "$torven" --csv "$work/ok.csv" 'PVSF56(tmax)'
expect "gap codes read as empty cells" 0 '^ok$' -- sh -c \
  "'$torven' --csv '$work/gaps.csv' --missing nan --missing -9999 --missing s/d 'ISBLANK(b)' | cut -d, -f3 | paste -sd' ' | grep -qx 'ISBLANK(b) TRUE TRUE TRUE FALSE TRUE FALSE' && echo ok"
expect "blank lines and bare delimiters kept, not ragged" 0 '^same$' -- sh -c \
  "'$torven' --csv '$work/blank.csv' 'a+b' --as s | tr '\n' '|' | grep -qx 'a,b,s|1,2,3||,|3,4,7||' && echo same"
# Station files as networks publish them: NAME @ FILE @ FORMULA @ OUTPUT, the
# file and the output written with printf's escapes (the output's lines joined by '|').
while IFS='@' read -r name file formula output; do
  printf "$file" >"$work/layout.csv"
  printf "$output" >"$work/layout.want"
  expect "$name" 0 '^same$' -- sh -c "'$torven' --csv '$work/layout.csv' --missing NaN '$formula' --as x 2>/dev/null |
    tr '\n' '|' | cmp -s - '$work/layout.want' && echo same"
done <<'CASES'
a preamble, a '#' header, padded numbers@# BRON: KNMI\n# STN,YYYYMMDD,   TG\n\n  260,20220101,  118\n  260,20220102,   -5\n@TG/10@# BRON: KNMI|# STN,YYYYMMDD,   TG,x||  260,20220101,  118,11.8|  260,20220102,   -5,-0.5|
a row of units@Logger v2\nFecha,Tmax\n(dd/mm/aaaa),(C)\n01/01/2020,5\n@Tmax*2@Logger v2|Fecha,Tmax,x|(dd/mm/aaaa),(C),|01/01/2020,5,10|
runs of spaces, a gap code@ Year-DOY  Tmax  Tmin\n 2022-001   5.5  -3.5\n 2022-002  NaN -1\n@ISBLANK(Tmax)+Tmax-Tmin@Year-DOY Tmax Tmin x|2022-001 5.5 -3.5 9|2022-002 NaN -1 2|
a tab and decimal commas@a\tb\n1,5\t2,25\n@a+b@a\tb\tx|1,5\t2,25\t3,75|
CASES
# Dates read in the order their column decides, and failed rows said: NAME @ FILE @ FORMULA @ STATUS @ PATTERN
# (the file with printf's escapes; the pattern sought in standard output and error together).
while IFS='@' read -r name file formula status pattern; do
  printf "$file" >"$work/dates.csv"
  expect "$name" "$status" "$pattern" -- "$torven" --csv "$work/dates.csv" "$formula"
done <<'CASES'
day first, decided by a day above 12@fecha,t\n05/03/2023,1\n20/03/2023,2\n@MONTH(fecha)@0@^20/03/2023,2,3$
month first, decided by a day above 12@fecha;t\n03/05/2023;1\n03/20/2023;2\n@MES(fecha)@0@^03/20/2023;2;3$
a dash, day first@fecha,t\n05-03-2023,1\n20-03-2023,2\n@MONTH(fecha)*100+DAY(fecha)@0@^20-03-2023,2,320$
a point, day first@fecha,t\n20.03.2023,2\n@MONTH(fecha)@0@^20.03.2023,2,3$
no day decides the order@fecha,t\n05/03/2023,1\n@MONTH(fecha)@2@say which with --dates dmy
a column that mixes both orders@fecha,t\n20/03/2023,1\n03/20/2023,1\n@MONTH(fecha)@2@mix day/month/year (1 rows) and month/day/year (1 rows)
two-digit years: refused@fecha,t\n20/03/23,1\n@MONTH(fecha)@2@have two-digit years (1 rows): the century would be a guess
several rows a day: a day.s ET0 refused@fecha,rs,tmax,tmin,ea,u\n2023-01-01 00:00,1,20,10,1,2\n2023-01-01 01:00,1,20,10,1,2\n2023-01-01 02:00,1,20,10,1,2\n@ETPF56(1;rs;tmax;tmin;0;ea;u;2;100;40)@2@several rows a day (2 of 3 repeat the day of the row before in .fecha.)
several rows a day: other formulas computed@fecha,t\n2023-01-01 00:00,1\n2023-01-01 01:00,2\n2023-01-01 02:00,2\n@PVSF56(t)@0@several rows a day
a failed row: line, date, column, error, cause@fecha,tmax\n2023-01-01,20\n2023-01-02,\n@PVSF56(tmax)@1@dates.csv:3 (2023-01-02): PVSF56(tmax) is #VALUE!: cells that are not numbers: .tmax. empty
the totals@fecha,tmax\n2023-01-01,20\n2023-01-02,\n@PVSF56(tmax)@1@dates.csv: 1 row computed, 1 failed
radiation in kWh read as MJ: refused@j,rs,tmax,tmin,ea,u\n180,5,30,15,1.5,2\n181,6,31,16,1.5,2\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@2@% of the extraterrestrial radiation Ra; a day.s is 20 % to 85 %: it cannot be in MJ/m²/d. In kWh/m²/d?$
refused: nothing written@j,rs,tmax,tmin,ea,u\n180,5,30,15,1.5,2\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@2@nothing was written (--accept-implausible
wind in km/h read as m/s@j,rs,tmax,tmin,ea,u\n180,25,30,15,1.5,18\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@2@The wind that ETPF56 receives has a median of 18 m/s, which cannot be. In tenths of m/s? In km/h?$
doubtful days, each cause@j,rs,tmax,tmin,ea,u\n180,25,30,15,1.5,2\n180,25,30,15,1.5,2\n181,45,30,15,6,2\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@0@:4: doubtful: Rs 45 above Ra 41.7 MJ/m²/d: impossible; ea 6 kPa above es 2.97 kPa (RH 201.73 %; the deficit is taken as 0)$
doubtful days: Rs above the clear sky's@j,rs,tmax,tmin,ea,u\n180,25,30,15,1.5,2\n181,33,30,15,1.5,2\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@0@:3: doubtful: Rs 33 above Rso 31.36 MJ/m²/d .eq. 37.$
the days covered: missing, repeated, partial@fecha,t\n2023-01-01,1\n2023-01-02,1\n2023-01-05,1\n2023-01-05,1\n@t*1@0@Dates from 2023-01-01 to 2023-01-05; 2 days missing: 2023-01-03 to 2023-01-04; days repeated: 2023-01-05 (line 5); partial years: 2023 (3 of 365 days).$
calm wind in a run@j,rs,tmax,tmin,ea,u\n180,25,30,15,1.5,0\n181,25,30,15,1.5,0\n182,25,30,15,1.5,0\n@ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)@0@exactly 0 m/s on 3 days in 1 run
CASES
expect "a season whose rows are not its days: said, exit 1" 1 'in the season 2023-01-03 is missing .between lines 3 and 4.. Correct the file' -- sh -c "printf 'fecha,t\n2023-01-01,1\n2023-01-02,1\n2023-01-04,1\n' >'$work/season.csv'; '$torven' --csv '$work/season.csv' --season 2023-01-01/2023-01-05 't*1'"
expect "a season the file ends before" 0 'The file ends on 2023-01-02, before the season.s end.' -- sh -c "printf 'fecha,t\n2023-01-01,1\n2023-01-02,1\n' >'$work/season.csv'; '$torven' --csv '$work/season.csv' --season 2023-01-01/2023-01-05 't*1'"
expect "a season that is not two dates: refused" 2 "the season '2023-01-05' is not its first and last days" -- "$torven" --csv "$work/season.csv" --season 2023-01-05 't*1'
expect "implausible, accepted: computed, still said" 0 'In kWh/m²/d?' -- sh -c "printf 'j,rs,tmax,tmin,ea,u\n180,5,30,15,1.5,2\n' >'$work/kwh.csv'; '$torven' --csv '$work/kwh.csv' --accept-implausible 'ETPF56(j;rs;tmax;tmin;0;ea;u;2;100;40)'"
printf 'n,tmax\n' >"$work/failed.csv"
for i in $(seq 25); do printf '%s,\n' "$i" >>"$work/failed.csv"; done
expect "after 20 failed rows, a count" 1 '5 rows more failed (the first 20 are above)' -- "$torven" --csv "$work/failed.csv" 'PVSF56(tmax)'
expect "20 failed rows said one by one" 0 '^20$' -- sh -c "'$torven' --csv '$work/failed.csv' 'PVSF56(tmax)' 2>&1 >/dev/null | grep -c 'failed.csv:[0-9]*:'"
expect "m/d/y dates when told so" 0 '^01/31/2020,1,20200131$' -- sh -c "printf 'd\n01/31/2020\n' >'$work/mdy.csv'; '$torven' --csv '$work/mdy.csv' --dates mdy 'MONTH(d)' 'YEAR(d)*10000+MONTH(d)*100+DAY(d)' | tail -1"
# Formulas filled down from row 2: NAME @ FORMULAS (space-separated) @ the added columns, '|' between rows.
printf 'm,t\n1,10\n2,12\n3,15\n' >"$work/refs.csv"
added_columns() {  # added_columns WANT FORMULA...: the added columns are WANT
  local want=$1
  shift
  [ "$("$torven" --csv "$work/refs.csv" "$@" 2>/dev/null | cut -d, -f3- | tr '\n' '|')" = "$want" ] && echo same
}
while IFS='@' read -r name formulas output; do
  read -ra words <<<"$formulas"
  expect "$name" 0 '^same$' -- added_columns "$output" "${words[@]}"
done <<'CASES'
relative and fixed rows, beyond the last row empty@B1 B3 $B$2 B$4@B1,B3,$B$2,B$4|t,12,10,15|10,15,10,15|12,0,10,15|
the row above, the row below, comparisons@(B2-B1)*1 B3-B2>2 MAX(B1,B2,B3)@(B2-B1)*1,B3-B2>2,"MAX(B1,B2,B3)"|#VALUE!,FALSE,12|2,TRUE,15|3,FALSE,15|
a running sum refers to itself one row up@--as s IF(ROW()=2,B2,C1+B2)@s|10|22|37|
CASES
expect "a circular reference is refused" 2 'C2 refers to C3, which is not computed yet: a circular reference' -- \
  "$torven" --csv "$work/refs.csv" --as s 'C3+1'
expect "a name that is no column and reads as a reference beyond the last column" 2 "no column named 'RH2', and as a cell reference its column RH is beyond the last one, C" -- \
  "$torven" --csv "$work/refs.csv" --as s 'RH2+1'
expect "a running sum over a million rows" 0 '^1000000,2000000$' -- sh -c \
  "seq 1000000 | sed '1i n' | sed 's/\$/,2/;1s/,2\$/,two/' | '$torven' --csv - --as s 'IF(ROW()=2,B2,C1+B2)' 2>/dev/null | tail -1 | cut -d, -f1,3"
expect "the decisions name the header and the units" 0 "header on line 2 (--header-line), units on line 3" -- \
  sh -c "printf 'Logger v2\nFecha,Tmax\n(dd/mm/aaaa),(C)\n01/01/2020,5\n' >'$work/units.csv'; '$torven' --csv '$work/units.csv' 'Tmax' 2>&1 >/dev/null"
expect "missing add-in"         2 "cannot load add-in" -- "$torven" --addin "$work/none.so" 'PVSF56(1)'
expect "list"                   0 'JDIA.VENTISOLA(Año; Mes; Dia)' -- "$torven" --list
expect "info"                   0 'Version: *VENTISOLA.XLL 64 bits v2' -- "$torven" --info
expect "alerts"                 0 'Felicitaciones' -- "$torven" --alerts
expect "worked examples"        0 '3.880' -- "$torven" -s -d 3 -f "$examples/fao56_worked_examples.txt"
expect "options in any order"   0 '^tmax,tmin,es$' -- "$torven" --csv "$work/ok.csv" --as es 'PVSF56(tmax)'
expect "a call still missing"   2 'Usage:' -- "$torven" --csv "$work/ok.csv" --as es
expect "README's Spanish example" 0 '^3,88$' -- "$torven" --decimals 2 \
  '=ETPF56(JDIA.VENTISOLA(2023;7;6); RADF56A(187;9,25;0,25;0,5;50,8); 21,5; 12,3; 0; PVHRF56(21,5;12,3;84;63); 10/3,6; 10; 100; 50,8)'

# The Holyoke year as the spreadsheet's "CSV (delimitado por punto y coma)"
# export writes it: a byte-order mark, CRLF, ';' and decimal commas.  The
# added ET0 column must be the ',' file's, digit for digit.
formula='ETPF56(JDIA.VENTISOLA(year;month;day); rs; tmax; tmin; 0; PVHRF56(tmax;tmin;rhmax;rhmin); u2; 2; 1138; 40,49)'
{ printf '\xEF\xBB\xBF'; sed -e 's/,/;/g' -e 's/\([0-9]\)\.\([0-9]\)/\1,\2/g' -e 's/$/\r/' "$examples/holyoke_2020.csv"; } >"$work/es.csv"
"$torven" --csv "$examples/holyoke_2020.csv" --as et0 "${formula/40,49/40.49}" | awk -F, '{print $NF}' >"$work/et0_point.txt"
"$torven" --csv "$work/es.csv" --as et0 "$formula" | awk -F';' '{print $NF}' | tr -d '\r' | tr , . >"$work/et0_comma.txt"
expect "';' CSV with decimal commas" 0 '^367 ' -- sh -c "cmp '$work/et0_point.txt' '$work/et0_comma.txt' && wc -l <'$work/et0_comma.txt' | sed 's/$/ rows/'"
expect "';' CSV written back as read" 0 'date;year;month;' -- sh -c "'$torven' --csv '$work/es.csv' 'PVSF56(tmax)' --as es | head -1"

# The same year as a Spanish-language spreadsheet's plain CSV export writes
# it: Windows-1252, CRLF, ';', decimal commas, Spanish column names, one date
# column (dd/mm/aaaa) and an error cell.  Read, the column added, everything
# else written back byte for byte; the same ET0 digits but for the error row.
formula_es='ETPF56(JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DÍA(fecha)); rs; tmáx; tmín; 0; PVHRF56(tmáx;tmín;hrmáx;hrmín); u2; 2; 1138; 40,49)'
awk -F, -v OFS=';' 'NR == 1 { print "fecha;año;mes;día;tmáx;tmín;hrmáx;hrmín;rs;u2;et_asce0;hr_limitada"; next }
  { split($1, d, "-"); $1 = d[3] "/" d[2] "/" d[1]; if (NR == 3) $5 = "#¡VALOR!"; print }' "$examples/holyoke_2020.csv" |
  sed -e 's/\([0-9]\)\.\([0-9]\)/\1,\2/g' -e 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1252 >"$work/w1252.csv"
"$torven" --csv "$work/w1252.csv" --as et0 "$formula_es" >"$work/w1252_out.csv"
sed '3s/.*/#¡VALOR!/' "$work/et0_point.txt" >"$work/et0_expected.txt"
expect "Windows-1252 CSV written back as read" 0 '^same$' -- sh -c \
  "LC_ALL=C sed 's/;[^;]*\r\$/\r/' '$work/w1252_out.csv' | cmp - '$work/w1252.csv' && echo same"
expect "Windows-1252 CSV: the same ET0, a Spanish error" 0 '^367 ' -- sh -c \
  "awk -F';' '{print \$NF}' '$work/w1252_out.csv' | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 | tr , . |
   cmp - '$work/et0_expected.txt' && wc -l <'$work/et0_expected.txt' | sed 's/$/ rows/'"
expect "a UTF-8 CSV keeps its mark and CRLF" 0 '^same$' -- sh -c \
  "'$torven' --csv '$work/es.csv' --as es 'PVSF56(tmax)' | sed 's/;[^;]*\r\$/\r/' | cmp - '$work/es.csv' && echo same"
expect "a name Windows-1252 cannot hold" 2 'cannot be written in Windows-1252' -- \
  "$torven" --csv "$work/w1252.csv" --as 'et₀' 'PVSF56(tmáx)'
expect "Spanish errors"         0 '^#N/D$' -- "$torven" '=PVSF56(#N/D)'
expect "Spanish #VALUE!"        0 '^#¡VALOR!$' -- "$torven" '=PVHRF56("x";12;84;63)'
expect "dates"                  0 '^31$' -- "$torven" '=JDIA.VENTISOLA(AÑO("31/01/2020");MES("31/01/2020");DIA("31/01/2020"))'
expect "FAO 56 example 15 (eq. 50)" 0 '^22,31' -- "$torven" --decimal-comma '=0,16*RAIZ(26,6-14,8)*40,6'
expect "FAO 56 example 20 (eq. 48)" 0 '^1,68' -- "$torven" --decimal-comma '=PVTRF56(14,8)'
expect "a decimal comma meant"  1 'write .;. between the arguments or pass --decimal-comma' -- "$torven" '=PVSF56(20,5)'
# The other spreadsheet's "Unicode text": UTF-16 with its byte-order mark,
# tabs, CRLF.  Read and written back in the same encoding, mark, delimiter
# and line ends: decoded, the same bytes as the same text in UTF-8.
{ printf '\xEF\xBB\xBF'; tr , '\t' <"$examples/holyoke_2020.csv" | sed 's/$/\r/'; } >"$work/tab8.txt"
"$torven" --csv "$work/tab8.txt" --as es 'PVSF56(tmax)' >"$work/tab8_out.txt"
tail -c +4 "$work/tab8_out.txt" >"$work/tab8_out_nomark.txt"
for order in LE BE; do
  iconv -f UTF-8 -t "UTF-16$order" "$work/tab8.txt" >"$work/tab16.txt"
  expect "UTF-16$order written back as read" 0 '^same$' -- sh -c \
    "'$torven' --csv '$work/tab16.txt' --as es 'PVSF56(tmax)' | iconv -f UTF-16$order -t UTF-8 | cmp - '$work/tab8_out.txt' && echo same"
  # Without its mark, as some networks export it: told by its zero bytes.
  tail -c +3 "$work/tab16.txt" >"$work/tab16_nomark.txt"
  expect "UTF-16$order without a mark, written back so" 0 '^same$' -- sh -c \
    "'$torven' --csv '$work/tab16_nomark.txt' --as es 'PVSF56(tmax)' | iconv -f UTF-16$order -t UTF-8 | cmp - '$work/tab8_out_nomark.txt' && echo same"
done
head -c 100000 /dev/urandom >"$work/random.csv"
printf 'a,b\n1,\x81\xff\n' >"$work/unassigned.csv"
expect "a binary file is refused"  2 'not a text file: a NUL byte at byte' -- "$torven" --csv "$work/random.csv" 'PVSF56(a)'
expect "bytes no encoding reads"   2 'byte 7 (0x81) is valid neither in UTF-8 nor in Windows-1252' -- \
  "$torven" --csv "$work/unassigned.csv" 'PVSF56(a)'
expect "nothing written for it"    0 '^0$' -- sh -c "'$torven' --csv '$work/random.csv' 'PVSF56(a)' 2>/dev/null | wc -c"

# Inputs that once crashed, hung or were taken silently: each a clear
# answer.  (name, status, pattern, formula or file contents)
printf '\xEF\xBB\xBF=1+1\n' >"$work/bom.txt"
printf '=2\0003\n' >"$work/nul.txt"
{ printf '=1'; for _ in $(seq 1000); do printf '%s' "$(printf '+1%.0s' $(seq 100))"; done; echo; } >"$work/sum.txt"
minus=$(printf -- '-%.0s' $(seq 20000))
while IFS='|' read -r name status pattern args; do
  eval "expect \"\$name\" \"\$status\" \"\$pattern\" -- \"\$torven\" $args"
done <<'TABLE'
20,000 unary minus signs|0|^1$|"=${minus}1"
a sum of 100,000 terms|0|^100001$|-f "$work/sum.txt"
a NUL byte in a line|1|nul.txt:1, column 3: a NUL byte|-f "$work/nul.txt"
invalid UTF-8 in a text|1|column 4: byte 0xC3 is not valid UTF-8|$'="a\xC3(b"'
an overlong UTF-8 form|1|column 3: byte 0xC0 is not valid UTF-8|$'="\xC0\xAF"'
'#' on the command line is a formula|0|^#N/A$|'#N/A+1'
a formula that begins with '-'|0|^-2$|'-SQRT(4)'
'--' ends the options|1|argument 1, column 2: unknown name 's'|-- '-s'
'[]' is a formula, not an option value|1|unknown name|'[]'
a byte-order mark before the first line|0|^2$|-f "$work/bom.txt"
TABLE
expect "'--' in --help" 0 "after '--' every argument is a formula" -- "$torven" --help
exit $((failures > 0))
