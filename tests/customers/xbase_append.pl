# Appends one customer to a customer table the way another program would:
# through Perl's XBase, leaving the name index as it is.
# Usage: xbase_append.pl TABLE NAME ADDR1 CITY STATE HORT BOWWT ARLEN PNTWT
use strict; use XBase;
my ($file, $name, $addr1, $city, $state, $hort, $bowwt, $arlen, $pntwt) = @ARGV;
my $t = XBase->new($file) or die XBase->errstr;
$t->set_record_hash($t->last_record + 1, NAME => $name, ADDR1 => $addr1, CITY => $city,
    STATE => $state, HORT => $hort, BOWWT => $bowwt, ARLEN => $arlen, PNTWT => $pntwt,
    BOTYP => '0', WHTYP => '0', RETYP => '0', BOLEN => '0', ODLEN => '0',
    COMMENTS => "added elsewhere") or die $t->errstr;
$t->close or die $t->errstr;
