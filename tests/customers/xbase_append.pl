# Appends customers to a customer table the way another program would:
# through Perl's XBase, taking no lock and leaving the name index as it is.
# Usage: xbase_append.pl TABLE NAME ADDR1 CITY STATE HORT BOWWT ARLEN PNTWT [COUNT]
# With COUNT, appends COUNT customers named NAME-0 .. NAME-<COUNT-1>, opening
# the table afresh for each, and prints "appended NAME-<i>" after each one.
use strict; use XBase;
$| = 1;
my ($file, $name, $addr1, $city, $state, $hort, $bowwt, $arlen, $pntwt, $count) = @ARGV;
for my $i (0 .. (defined $count ? $count - 1 : 0)) {
    my $who = defined $count ? "$name-$i" : $name;
    my $t = XBase->new($file) or die XBase->errstr;
    $t->set_record_hash($t->last_record + 1, NAME => $who, ADDR1 => $addr1, CITY => $city,
        STATE => $state, HORT => $hort, BOWWT => $bowwt, ARLEN => $arlen, PNTWT => $pntwt,
        BOTYP => '0', WHTYP => '0', RETYP => '0', BOLEN => '0', ODLEN => '0',
        COMMENTS => "added elsewhere by $who") or die $t->errstr;
    $t->close or die $t->errstr;
    print "appended $who\n" if defined $count;
}
