#include "seed/demodata.h"

#include <iterator>

namespace vk::server::demo {

namespace {

QStringList utf8List(std::initializer_list<const char*> items) {
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const char* s : items)
        list.append(QString::fromUtf8(s));
    return list;
}

QStringList splitList(const QString& text, QChar separator) {
    return text.isEmpty() ? QStringList() : text.split(separator);
}

// Producer brands: name, then the code patterns separated by ';'.
const char* const kBrands[] = {
    "BOSCH|0 986 4## ###;0 986 ### ###;F 026 4## ###;0 242 2## ###;3 397 00# ###;1 987 ### ###",
    "MANN|W 7##/##;W ###;C 2# ###;CU 2###;CUK 2###;WK 8##/#;HU 7##/# X",
    "MAHLE|OX ### D;OC ###;LX ####;LA ###;KL ###;KX ### D",
    "FILTRON|OP 5##/#;AP ###/#;K 1###;PP 8##/#;OE 6##/#",
    "TRW|GDB####;DF####;JTE####;JBJ###;JTS###;JAR####;BHS###;PHD###",
    "BREMBO|P ## ###;09.@###.1#;08.@###.#0;M ## ###",
    "FERODO|FDB####;DDF####;FSB###",
    "TEXTAR|2####01;9####;92######01",
    "ATE|13.0460-####.2;24.0122-####.1;24.####-####.2;03.####-####.3",
    "DELPHI|LP####;HDF###;BG####;LS####",
    "GATES|K0#####XS;K0#####;#PK####;5###XS;KP#####XS-1;T####",
    "CONTITECH|CT####K#;CT####;#PK####;CT####WP#",
    "SKF|VKMA #####;VKBA ####;VKPC #####;VKJA #####;VKDS ######",
    "INA|530 0###10;534 0###10;531 0###10",
    "DAYCO|KTB###;KTBWP####;#PK####",
    "ELRING|###.###;###.##0",
    "VICTOR REINZ|61-#####-##;71-#####-##;15-#####-##",
    "CORTECO|#####;########B",
    "LEMFÖRDER|##### 01;##### 02;##### ##",
    "FEBI|#####;######",
    "KOLBENSCHMIDT|40 ### 600;99 ### 600",
    "PIERBURG|7.#####.##.0",
    "GARRETT|######-####S",
    "BORGWARNER|5439 988 ####;5303 988 ####",
    "SACHS|3000 951 ###;3000 970 ###;31# ###;29# ###;80# ###",
    "KYB|33####;34####;3#####;RA####;SM####",
    "MONROE|G####;E####;MK###",
    "BILSTEIN|22-######;19-######;24-######",
    "LESJÖFORS|40#####;42#####",
    "MOOG|FI-BJ-####;VO-TC-####;RE-ES-####;FD-LS-####",
    "LÖBRO|30####;3#####",
    "SNR|R15#.##;R140.##",
    "FAG|713 6## ### 10;713 6## ###",
    "ZF|7852 ### ###;7853 ### ###",
    "NGK|BKR#E;BKR#EIX;ILZKR#B11;BCPR#ES;PFR#Q;LZKAR#A;U5###;U1###",
    "DENSO|K16TT;IK20;DCP#####;DBC-###;DOX-0###",
    "CHAMPION|RN#YC;OE###/T10",
    "BERU|0 001 ### ###;ZSE ###;GN###",
    "VALEO|826###;8213##;58####;43####;81####",
    "MAGNETI MARELLI|063######0;9400######;3510######",
    "HELLA|#@@ ### ###-###;#@# ### ###-###;6PU ### ###-###",
    "NISSENS|6####;9####;94###",
    "BEHR|8MK 376 ### ###;8FK 351 ### ###",
    "NRF|5####;35###;47###",
    "WAHLER|4###.##D;4###.##",
    "DOLZ|@###;@###ST",
    "SANDEN|SD7V16-####;PXE16-####",
    "LUK|62# #### ##;415 0### 10;510 0### 10;324 0### 10",
    "OSRAM|642##;641##NBS;663##;75##;28##",
    "PHILIPS|129##PRC1;129##VPB1;123##C1;85415C1",
    "CASTROL|15@#@#;15######",
    "SHELL|5500#####;5500######",
    "MOBIL|15####;1#####",
    "MOTUL|10####;1#####",
    "PETROL OFİSİ|PO-#####",
    "LIQUI MOLY|####;2###",
    "BOSAL|###-###;2##-###",
    "WALKER|2####;1####;8####",
    "VAN WEZEL|####5###;####7##;####6###",
    "DEPO|###-####@-LD-EM;###-####-@@",
    "TYC|20-####-##-2;12-####-##-2",
    "VELKOR|VK-####;VK-#####",
    "VARTA|5## ### ###;E##",
};

// Makes: name | price factor | weight | F when the maker uses finis codes | OEM patterns (;) |
// default engines (,) | models (;), each NAME, * for a light commercial, :engines of its own.
const char* const kMakes[] = {
    "FIAT|0.95|14||46######;51######;55######;77######;71######|1.3 MJT,1.6 MJT,1.4 FIRE,"
    "1.4 T-JET|DOBLO*;EGEA;LINEA;FIORINO*;PUNTO;PALIO;ALBEA;DUCATO*:2.3 MJT,2.2 MJT",
    "RENAULT|1.0|16||770#######;8200######;820#######|1.5 DCI,1.6 16V,1.2 TCE,1.3 TCE,0.9 TCE|"
    "CLIO;MEGANE;SYMBOL;FLUENCE;KANGOO*;CAPTUR;TALISMAN:1.6 DCI,1.5 DCI;MASTER*:2.3 DCI",
    "FORD|1.0|12|F|@@##-####-@@;@@##-#@###-@@;#@##-####-@@|1.6 TDCI,1.5 TDCI,1.0 ECOBOOST,"
    "1.6 TI-VCT|FOCUS;FIESTA;TRANSIT*:2.2 TDCI,2.4 TDCI,2.0 ECOBLUE;TRANSIT CUSTOM*:2.2 TDCI,"
    "2.0 ECOBLUE;COURIER*:1.5 TDCI,1.0 ECOBOOST;CONNECT*:1.8 TDCI,1.5 TDCI;MONDEO;KUGA",
    "VOLKSWAGEN|1.15|12||1K0 ### ###;1K0 ### ### @;5Q0 ### ### @@;6R0 ### ###;2K0 ### ### @;"
    "3C0 ### ###;03L ### ### @;04E ### ### @;7E0 ### ###;1J0 ### ###;6Q0 ### ### @|1.6 TDI,"
    "2.0 TDI,1.4 TSI,1.2 TSI,1.0 TSI|GOLF;PASSAT;POLO;CADDY*;JETTA;TRANSPORTER*:2.0 TDI,1.9 TDI;"
    "TIGUAN;CRAFTER*:2.0 TDI",
    "TOYOTA|1.15|8||04465-#####;90915-YZZ@#;#####-#####;#####-0@###;04152-#####|1.33 VVT-I,"
    "1.6 VVT-I,1.4 D-4D,1.8 HYBRID|COROLLA;YARIS;AURIS;C-HR:1.8 HYBRID,1.2 TURBO;"
    "HILUX*:2.4 D-4D,2.5 D-4D;RAV4:2.0 VVT-I,2.2 D-4D",
    "HYUNDAI|1.0|8||#####-#@@##;#####-#@###;#####-@@###;#####-2@000|1.4 CRDI,1.6 CRDI,1.4 MPI,"
    "1.6 MPI,1.0 T-GDI|I20;ACCENT;TUCSON;I30;ELANTRA;H-1*:2.5 CRDI",
    "OPEL|1.0|7||## ### ###;9# ### ###;13 ### ###;55 ### ###|1.3 CDTI,1.6 CDTI,1.4 TURBO,1.6 16V|"
    "ASTRA;CORSA;INSIGNIA;COMBO*;VECTRA;MERIVA",
    "PEUGEOT|1.0|6||#### @#;#### @@;#### ##;16 ### ### 80;98 ### ### 80|1.6 HDI,1.6 VTI,"
    "1.5 BLUEHDI,1.2 PURETECH|301;308;PARTNER*;208;3008;508;BOXER*:2.2 HDI",
    "DACIA|0.9|6||8200######;60015#####;77013#####|1.5 DCI,1.0 TCE,1.6 16V,1.5 BLUE DCI|"
    "DUSTER;SANDERO;LOGAN;DOKKER*;LODGY",
    "HONDA|1.1|4||#####-@?@-@##;#####-@@@-###;#####-R##-###|1.6 I-VTEC,1.5 VTEC TURBO,"
    "1.4 I-VTEC|CIVIC;JAZZ;CR-V;CITY",
    "BMW|1.5|3||## ## # ### ###||3 SERİSİ:320D F30,316I E90,320I G20;5 SERİSİ:520D F10,525D E60;"
    "1 SERİSİ:116I F20,118D F20;X1:SDRIVE18D E84,SDRIVE16D F48",
    "MERCEDES-BENZ|1.5|4||A ### ### ## ##||SPRINTER*:313 CDI,316 CDI,516 CDI;"
    "VITO*:111 CDI,115 CDI,116 CDI;C SERİSİ:C180 W204,C200 W205;E SERİSİ:E220 CDI W212,E250 W212",
    "CITROEN|1.0|4||#### @#;#### @@;16 ### ### 80|1.6 HDI,1.6 VTI,1.5 BLUEHDI|C-ELYSEE;"
    "BERLINGO*;C4;C3;JUMPY*:1.6 HDI,2.0 HDI",
    "KIA|1.0|3||#####-#@@##;#####-@@###;#####-#@###|1.4 CRDI,1.6 CRDI,1.4 MPI,1.6 GDI|"
    "SPORTAGE;RIO;CEED;PICANTO",
    "SKODA|1.1|3||1K0 ### ###;5Q0 ### ### @;6R0 ### ###;1Z0 ### ### @;5E0 ### ###|1.6 TDI,"
    "1.4 TSI,1.0 TSI,2.0 TDI|OCTAVIA;FABIA;SUPERB;RAPID",
    "NISSAN|1.05|2||@####-@@##@;#####-@@##@;#####-##@0@|1.5 DCI,1.6 16V,1.2 DIG-T|QASHQAI;"
    "MICRA;JUKE;NAVARA*:2.5 DCI",
};

// The catalogue. A line "@" starts a main group: name | code | department | weight. A part line:
// name | sub-group | other name | positions (,) | variants (,) | min price | max price | unit |
// VAT | flags (U universal, V variant in every name, C coloured) | brands (,) | standards (,).
const char* const kCatalogue[] = {
    "@FREN SİSTEMİ|FR||14",
    "FREN BALATASI|BALATA|BALATA|ÖN,ARKA|SENSÖRLÜ,FİŞLİ,KABLOLU|450|3200|TAKIM|20||"
    "TRW,BOSCH,BREMBO,FERODO,TEXTAR,ATE",
    "FREN DİSKİ|DİSK|DİSK|ÖN,ARKA|HAVALI,DÜZ,256 MM,280 MM|900|5500|TAKIM|20||"
    "BREMBO,TRW,BOSCH,ATE,FERODO",
    "FREN KAMPANASI|KAMPANA|KAMPANA|ARKA||700|3000|ADET|20||TRW,BREMBO,BOSCH",
    "FREN PABUCU|KAMPANA|PABUÇ|ARKA||400|1800|TAKIM|20||TRW,FERODO,BOSCH",
    "FREN HORTUMU|HORTUM||ÖN SOL,ÖN SAĞ,ARKA||150|650|ADET|20||TRW,ATE,FEBI",
    "FREN MERKEZİ|HİDROLİK|ANA MERKEZ|||1200|4500|ADET|20||TRW,ATE,BOSCH",
    "KALİPER|KALİPER|FREN KALİPERİ|ÖN SOL,ÖN SAĞ,ARKA SOL,ARKA SAĞ||2200|7500|ADET|20||"
    "TRW,ATE,BREMBO",
    "EL FRENİ TELİ|HALAT|EL FRENİ HALATI|SOL,SAĞ||250|950|ADET|20||FEBI,TRW",
    "ABS SENSÖRÜ|SENSÖR|ABS KABLOSU|ÖN SOL,ÖN SAĞ,ARKA||450|2200|ADET|20||BOSCH,FEBI,ATE",
    "FREN BALATA FİŞİ|BALATA|İKAZ KABLOSU|ÖN,ARKA||50|180|ADET|20||TRW,FEBI,TEXTAR",

    "@FİLTRELER|FL||16",
    "YAĞ FİLTRESİ|YAĞ FİLTRESİ||||95|650|ADET|20||MANN,MAHLE,BOSCH,FILTRON",
    "HAVA FİLTRESİ|HAVA FİLTRESİ||||140|900|ADET|20||MANN,MAHLE,BOSCH,FILTRON",
    "POLEN FİLTRESİ|POLEN FİLTRESİ|KABİN FİLTRESİ||KARBONLU,STANDART|120|750|ADET|20||"
    "MANN,MAHLE,BOSCH,FILTRON",
    "YAKIT FİLTRESİ|YAKIT FİLTRESİ|MAZOT FİLTRESİ||DİZEL,BENZİNLİ|160|1400|ADET|20||"
    "MANN,MAHLE,BOSCH,DELPHI",
    "FİLTRE SETİ|FİLTRE SETİ|BAKIM SETİ||3'LÜ,4'LÜ|600|2600|TAKIM|20||MANN,MAHLE,BOSCH",

    "@MOTOR|MT||12",
    "TRİGER SETİ|TRİGER|TRİGER KİTİ||DEVİRDAİMLİ,DEVİRDAİMSİZ|1800|9500|TAKIM|20||"
    "GATES,CONTITECH,SKF,INA,DAYCO",
    "TRİGER KAYIŞI|TRİGER|EKSANTRİK KAYIŞI||136 DİŞ,120 DİŞ,141 DİŞ|350|1500|ADET|20||"
    "GATES,CONTITECH,DAYCO",
    "GERGİ RULMANI|TRİGER|GERGİ KASNAĞI|||400|1800|ADET|20||SKF,INA,GATES",
    "V KAYIŞI|KAYIŞ|ALTERNATÖR KAYIŞI||6PK 1538,5PK 1200,4PK 850,6PK 1045|120|600|ADET|20||"
    "GATES,CONTITECH,DAYCO",
    "SİLİNDİR KAPAK CONTASI|CONTA|SKC||0.80 MM,1.20 MM|600|3800|ADET|20||"
    "ELRING,VICTOR REINZ,CORTECO",
    "SUPAP KAPAK CONTASI|CONTA|ÜST KAPAK CONTASI|||150|700|ADET|20||ELRING,VICTOR REINZ,CORTECO",
    "KARTER CONTASI|CONTA||||90|450|ADET|20||ELRING,VICTOR REINZ",
    "MOTOR TAKOZU|TAKOZ|MOTOR KULAĞI|ÖN,ARKA,SAĞ,SOL||450|2600|ADET|20||LEMFÖRDER,FEBI,CORTECO",
    "KRANK KEÇESİ|KEÇE||ÖN,ARKA||120|550|ADET|20||ELRING,CORTECO",
    "PİSTON SEGMAN TAKIMI|PİSTON|SEGMAN||STD,0.50|1500|7500|TAKIM|20||MAHLE,KOLBENSCHMIDT",
    "YAĞ POMPASI|YAĞLAMA||||1400|5500|ADET|20||MAHLE,PIERBURG",
    "TURBO ŞARJ|TURBO|TURBO||REVİZYONLU,SIFIR|9000|15000|ADET|20||GARRETT,BORGWARNER",

    "@SÜSPANSİYON|SP||12",
    "AMORTİSÖR|AMORTİSÖR||ÖN SOL,ÖN SAĞ,ARKA|GAZLI,YAĞLI|900|4500|ADET|20||"
    "SACHS,KYB,MONROE,BILSTEIN",
    "AMORTİSÖR TAKOZU|AMORTİSÖR|AMORTİSÖR ÜST TAKOZU|ÖN,ARKA|RULMANLI|250|1200|ADET|20||"
    "SACHS,LEMFÖRDER,FEBI,SKF",
    "HELEZON YAYI|YAY|HELEZON|ÖN,ARKA||600|2200|ADET|20||SACHS,KYB,LESJÖFORS",
    "SALINCAK|SALINCAK|SALINCAK KOLU|ÖN SOL,ÖN SAĞ|ROTİLLİ,ROTİLSİZ|700|3800|ADET|20||"
    "LEMFÖRDER,TRW,FEBI,MOOG",
    "ROTİL|ROTİL||ÖN SOL,ÖN SAĞ,ALT,ÜST||250|1100|ADET|20||LEMFÖRDER,TRW,FEBI,MOOG",
    "Z ROT|ROT|VİRAJ ROTU|ÖN,ARKA,SOL,SAĞ||200|900|ADET|20||LEMFÖRDER,TRW,FEBI,MOOG",
    "VİRAJ DEMİR LASTİĞİ|BURÇ|STABİLİZATÖR LASTİĞİ|ÖN,ARKA|19 MM,21 MM,23 MM|60|300|ADET|20||"
    "LEMFÖRDER,FEBI,CORTECO",
    "SALINCAK BURCU|BURÇ||ÖN,ARKA|BÜYÜK,KÜÇÜK|90|450|ADET|20||LEMFÖRDER,FEBI,CORTECO",
    "AKS KÖRÜĞÜ|AKS|AKS TOZLUĞU|TEKER TARAFI,ŞANZIMAN TARAFI||120|550|TAKIM|20||FEBI,SKF,LÖBRO",
    "AKS|AKS|AKS MİLİ|SOL,SAĞ||2500|9500|ADET|20||SKF,LÖBRO",
    "TEKER RULMANI|RULMAN|BİLYA|ÖN,ARKA|ABS'Lİ,ABS'SİZ|450|2400|ADET|20||SKF,SNR,FAG",

    "@DİREKSİYON|DR||6",
    "ROT BAŞI|ROT|ROT UCU|SOL,SAĞ||180|850|ADET|20||TRW,LEMFÖRDER,FEBI,MOOG",
    "ROT MİLİ|ROT|ROT ÇUBUĞU|SOL,SAĞ||300|1400|ADET|20||TRW,LEMFÖRDER,FEBI",
    "ROT KÖRÜĞÜ|KÖRÜK|DİREKSİYON KÖRÜĞÜ|SOL,SAĞ||70|350|ADET|20||FEBI,CORTECO",
    "DİREKSİYON KUTUSU|KUTU|KREMAYER||HİDROLİK,ELEKTRİKLİ|6500|15000|ADET|20||TRW,ZF",
    "DİREKSİYON POMPASI|POMPA|HİDROLİK POMPA|||2800|9000|ADET|20||TRW,ZF,BOSCH",

    "@ELEKTRİK|EL||12",
    "BUJİ|ATEŞLEME||||85|450|ADET|20||NGK,BOSCH,DENSO,CHAMPION",
    "ATEŞLEME BOBİNİ|ATEŞLEME|BOBİN|||650|2800|ADET|20||BOSCH,NGK,DELPHI,BERU",
    "KIZDIRMA BUJİSİ|ATEŞLEME|ISITMA BUJİSİ|||180|750|ADET|20||BOSCH,BERU,NGK",
    "MARŞ MOTORU|MARŞ ŞARJ|STARTER||12V 1.4KW,12V 2.0KW|3800|12000|ADET|20||"
    "BOSCH,VALEO,MAGNETI MARELLI",
    "ALTERNATÖR|MARŞ ŞARJ|ŞARJ DİNAMOSU||90A,120A,150A|4500|14500|ADET|20||"
    "BOSCH,VALEO,MAGNETI MARELLI,DENSO",
    "OKSİJEN SENSÖRÜ|SENSÖR|LAMBDA SENSÖRÜ|ÖN,ARKA||900|4200|ADET|20||BOSCH,NGK,DENSO",
    "KRANK SENSÖRÜ|SENSÖR|DEVİR SENSÖRÜ|||350|1500|ADET|20||BOSCH,FEBI,HELLA",
    "CAM KRİKO MOTORU|KONFOR|CAM MOTORU|ÖN SOL,ÖN SAĞ||700|2600|ADET|20||"
    "BOSCH,VALEO,MAGNETI MARELLI",
    "SİLECEK MOTORU|SİLECEK||ÖN,ARKA||900|3600|ADET|20||BOSCH,VALEO",
    "SİLECEK SÜPÜRGESİ|SİLECEK|SİLECEK LASTİĞİ|ÖN SOL,ÖN SAĞ,ARKA|350 MM,400 MM,530 MM,600 MM,"
    "650 MM|90|650|ADET|20|V|BOSCH,VALEO",
    "AKÜ|AKÜ|||60 AH,72 AH,100 AH|2800|6500|ADET|20|UV|BOSCH,VARTA|EN 50342-1",

    "@SOĞUTMA|SG||8",
    "RADYATÖR|RADYATÖR|SU RADYATÖRÜ||MEKANİK,OTOMATİK,KLİMALI|1800|7500|ADET|20||"
    "NISSENS,VALEO,BEHR,NRF",
    "TERMOSTAT|TERMOSTAT|||82 DERECE,88 DERECE,GÖVDELİ|250|1600|ADET|20||WAHLER,MAHLE,GATES,FEBI",
    "DEVİRDAİM POMPASI|POMPA|SU POMPASI|||650|3500|ADET|20||SKF,GATES,DOLZ,INA",
    "RADYATÖR HORTUMU|HORTUM||ÜST,ALT||120|650|ADET|20||GATES,FEBI,CONTITECH",
    "FAN MOTORU|FAN|FAN||KOMPLE,PERVANELİ|1600|6500|ADET|20||VALEO,BOSCH,NISSENS",
    "GENLEŞME KABI|KAP|YEDEK SU DEPOSU||KAPAKLI,SENSÖRLÜ|250|1100|ADET|20||FEBI,NRF",
    "KLİMA KOMPRESÖRÜ|KLİMA|KOMPRESÖR|||7500|15000|ADET|20||DENSO,VALEO,SANDEN,DELPHI",
    "KLİMA RADYATÖRÜ|KLİMA|KONDENSER|||1800|6000|ADET|20||NISSENS,VALEO,NRF,BEHR",
    "KALORİFER RADYATÖRÜ|KALORİFER|PETEK|||900|3800|ADET|20||NISSENS,VALEO,NRF",

    "@ŞANZIMAN|SN||7",
    "DEBRİYAJ SETİ|DEBRİYAJ|DEBRİYAJ SETİ||RULMANLI,VOLANLI,3'LÜ|2800|13500|TAKIM|20||"
    "SACHS,VALEO,LUK",
    "DEBRİYAJ RULMANI|DEBRİYAJ|HİDROLİK RULMAN|||650|3200|ADET|20||SACHS,VALEO,LUK,SKF",
    "VOLANT|DEBRİYAJ|VOLAN||ÇİFT KÜTLELİ,TEK KÜTLELİ|6500|15000|ADET|20||LUK,SACHS,VALEO",
    "DEBRİYAJ TELİ|DEBRİYAJ|DEBRİYAJ HALATI|||200|800|ADET|20||FEBI,LUK",
    "DEBRİYAJ ALT MERKEZİ|DEBRİYAJ||||350|1500|ADET|20||LUK,TRW,ATE",
    "ŞANZIMAN TAKOZU|TAKOZ||SOL,ARKA||350|1800|ADET|20||LEMFÖRDER,FEBI,CORTECO",
    "VİTES TELİ|VİTES|VİTES HALATI|||450|1900|ADET|20||FEBI",
    "ŞANZIMAN KEÇESİ|KEÇE||SOL,SAĞ||80|350|ADET|20||CORTECO,ELRING",

    "@EGZOZ|EG||5",
    "EGZOZ SUSTURUCU|SUSTURUCU|EGZOZ|ARKA,ORTA,ÖN||800|3800|ADET|20||BOSAL,WALKER",
    "KATALİTİK KONVERTÖR|KATALİZÖR|KATALİZÖR|||4500|15000|ADET|20||BOSAL,WALKER",
    "EGZOZ MANİFOLD CONTASI|CONTA||||80|450|ADET|20||ELRING,VICTOR REINZ",
    "EGZOZ KELEPÇESİ|BAĞLANTI|KELEPÇE||45 MM,50 MM,55 MM|50|220|ADET|20|V|BOSAL,WALKER",
    "EGZOZ ASKI LASTİĞİ|BAĞLANTI|EGZOZ LASTİĞİ|||50|180|ADET|20||BOSAL,FEBI",
    "DPF FİLTRESİ|KATALİZÖR|PARTİKÜL FİLTRESİ|||9000|15000|ADET|20||BOSAL,WALKER",
    "FLEX BORU|BAĞLANTI|ESNEK BORU||45X200,50X250|250|900|ADET|20|V|BOSAL,WALKER",

    "@AYDINLATMA|AY||7",
    "FAR AMPULÜ|AMPUL|HALOJEN AMPUL||H7,H4,H1,H11,H7 NIGHT BREAKER|60|650|ADET|20|UV|"
    "OSRAM,PHILIPS,BOSCH|ECE R37,12V 55W,12V 60/55W",
    "XENON AMPUL|AMPUL|||D1S,D3S|900|3200|ADET|20|UV|OSRAM,PHILIPS|ECE R99,35W",
    "SİNYAL AMPULÜ|AMPUL|||P21W,PY21W,W5W,P21/5W|50|180|ADET|20|UV|OSRAM,PHILIPS|ECE R37,12V",
    "FAR|FAR|FAR GRUBU|SOL,SAĞ|ELEKTRİKLİ,MANUEL,SİSLİ|2500|12000|ADET|20||HELLA,VALEO,DEPO",
    "STOP LAMBASI|STOP|ARKA STOP|SOL,SAĞ|LEDLİ,DUYLU|900|4500|ADET|20||HELLA,VALEO,DEPO",
    "SİS FARI|FAR|SİS LAMBASI|SOL,SAĞ||500|2200|ADET|20||HELLA,VALEO,DEPO",
    "PLAKA LAMBASI|LAMBA||||90|350|ADET|20||HELLA,FEBI",
    "SİNYAL LAMBASI|LAMBA|ÇAMURLUK SİNYALİ|SOL,SAĞ|BEYAZ,SARI|80|400|ADET|20||HELLA,DEPO",

    "@YAĞLAR|YG|MADENİ YAĞ|8",
    "MOTOR YAĞI 5W30 4L|MOTOR YAĞI||||900|1800|ADET|20|U|CASTROL,SHELL,MOBIL,MOTUL,"
    "PETROL OFİSİ|VW 504 00,VW 507 00,MB 229.51,BMW LL-04,ACEA C3,API SN",
    "MOTOR YAĞI 10W40 4L|MOTOR YAĞI||||600|1200|ADET|20|U|CASTROL,SHELL,MOBIL,PETROL OFİSİ|"
    "ACEA A3/B4,API SL/CF,MB 229.1,VW 505 00",
    "MOTOR YAĞI 5W40 5L|MOTOR YAĞI||||1100|2200|ADET|20|U|CASTROL,SHELL,MOBIL,MOTUL,LIQUI MOLY|"
    "VW 502 00,VW 505 00,MB 229.3,RN0700,RN0710,ACEA C3",
    "MOTOR YAĞI 0W20 4L|MOTOR YAĞI||||1300|2400|ADET|20|U|CASTROL,SHELL,MOTUL|"
    "API SP,ILSAC GF-6A,GM DEXOS1",
    "ŞANZIMAN YAĞI 75W90|ŞANZIMAN YAĞI|DİŞLİ YAĞI|||280|650|LİTRE|20|U|CASTROL,SHELL,MOTUL,"
    "LIQUI MOLY|API GL-4,API GL-5,MB 235.8",
    "ŞANZIMAN YAĞI 80W90|ŞANZIMAN YAĞI|DİŞLİ YAĞI|||180|450|LİTRE|20|U|CASTROL,SHELL,"
    "PETROL OFİSİ|API GL-4,MIL-L-2105",
    "OTOMATİK ŞANZIMAN YAĞI ATF|ŞANZIMAN YAĞI|ATF|||320|750|LİTRE|20|U|CASTROL,MOBIL,LIQUI MOLY|"
    "DEXRON III,MB 236.14,VW G 052 162",
    "HİDROLİK DİREKSİYON YAĞI|HİDROLİK||||250|600|LİTRE|20|U|CASTROL,LIQUI MOLY,FEBI|"
    "DEXRON II,VW TL 52146",
    "FREN HİDROLİĞİ DOT 4|HİDROLİK|FREN YAĞI||500 ML,1 LT|120|450|ADET|20|UV|BOSCH,ATE,CASTROL|"
    "DOT 4,SAE J1704,ISO 4925",
    "ANTİFRİZ|ANTİFRİZ|||KIRMIZI,YEŞİL,MAVİ|180|750|LİTRE|20|UV|CASTROL,SHELL,PETROL OFİSİ|"
    "VW TL 774 D,ASTM D3306",
    "GRES YAĞI|GRES|||400 GR,1 KG|120|450|ADET|20|UV|CASTROL,SHELL,LIQUI MOLY|DIN 51825",

    "@KAPORTA|KP||6",
    "ÖN TAMPON|TAMPON|||SİSLİ,SİSSİZ|1800|7500|ADET|20|C|DEPO,TYC,VAN WEZEL",
    "ARKA TAMPON|TAMPON|||PARK SENSÖRLÜ,SENSÖRSÜZ|1800|7500|ADET|20|C|DEPO,TYC,VAN WEZEL",
    "DİKİZ AYNASI|AYNA|YAN AYNA|SOL,SAĞ|ELEKTRİKLİ,ISITMALI,MANUEL|900|4500|ADET|20|C|"
    "VAN WEZEL,DEPO,TYC",
    "ÇAMURLUK|SAC||ÖN SOL,ÖN SAĞ||1200|4500|ADET|20|C|VAN WEZEL,TYC",
    "KAPUT|SAC|MOTOR KAPUTU|||2800|9500|ADET|20|C|VAN WEZEL,TYC",
    "PANJUR|TAMPON|ÖN IZGARA||KROM ÇITALI,SİYAH|600|2500|ADET|20|C|VAN WEZEL,DEPO",
    "KAPI KOLU|KİLİT|DIŞ KAPI KOLU|ÖN SOL,ÖN SAĞ,ARKA SOL,ARKA SAĞ||150|800|ADET|20|C|"
    "FEBI,VAN WEZEL",
    "TAMPON BRAKETİ|TAMPON|TAMPON BAĞLANTI SACI|ÖN SOL,ÖN SAĞ||80|350|ADET|20||VAN WEZEL,TYC",

    "@AKSESUAR|AK|AKSESUAR|3",
    "İLK YARDIM ÇANTASI|GÜVENLİK|ECZA ÇANTASI|||150|450|ADET|10|U|VELKOR|DIN 13164",
    "REFLEKTÖR|GÜVENLİK|ÜÇGEN REFLEKTÖR|||80|250|ADET|10|U|VELKOR|ECE R27",
    "YANGIN SÖNDÜRME TÜPÜ|GÜVENLİK|YANGIN TÜPÜ||1 KG,2 KG|350|900|ADET|20|UV|VELKOR|TS EN 3-7",
    "ÇEKİ HALATI|YOL YARDIM|||3 TON,5 TON|120|450|ADET|20|UV|VELKOR|DIN 76925",
    "AKÜ TAKVİYE KABLOSU|YOL YARDIM|||200A,400A|150|650|ADET|20|UV|VELKOR|DIN 72553",
    "BASILI ÜRÜN KATALOĞU|YAYIN|KATALOG|||50|150|ADET|1|U|VELKOR",
    "ARAÇ BAKIM REHBERİ|YAYIN|BAKIM KİTABI|||50|120|ADET|1|U|VELKOR",
};

const char* const kFirstNames[] = {
    "Mehmet", "Ahmet", "Mustafa", "Ali",    "Hüseyin",  "Hasan", "İbrahim", "İsmail", "Osman",
    "Yusuf",  "Murat", "Ömer",    "Halil",  "Süleyman", "Kemal", "Emre",    "Burak",  "Serkan",
    "Volkan", "Cem",   "Kadir",   "Erkan",  "Fatih",    "Selim", "Levent",  "Tolga",  "Onur",
    "Ayşe",   "Fatma", "Emine",   "Zeynep", "Elif",     "Merve", "Özlem",   "Gülşen", "Derya",
    "Sevgi",  "Esra",  "Tuba",    "Seda",   "Nur",      "Şule",
};

const char* const kSurnames[] = {
    "Yılmaz",  "Kaya",    "Demir",  "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın",
    "Özdemir", "Arslan",  "Doğan",  "Kılıç", "Aslan", "Çetin",  "Kara",     "Koç",    "Kurt",
    "Özkan",   "Şimşek",  "Polat",  "Özer",  "Güneş", "Akın",   "Aksoy",    "Bulut",  "Tekin",
    "Uysal",   "Korkmaz", "Karaca", "Ünal",  "Işık",  "Güler",  "Avcı",     "Turan",  "Ateş",
    "Bozkurt", "Sarı",    "Kalkan", "Erdem", "Taş",   "Acar",
};

const char* const kFirmStems[] = {
    "ÖZKAN",  "YILDIZ", "AKSOY",   "ÇELİK",    "DEMİR",   "ŞAHİN",     "KARAKAYA", "ASLAN",
    "DOĞAN",  "KOÇ",    "KURT",    "ÖZTÜRK",   "AYDIN",   "POLAT",     "ERDEM",    "GÜLER",
    "TAŞ",    "KILIÇ",  "KAPLAN",  "ÇAKIR",    "ACAR",    "BULUT",     "EREN",     "UYSAL",
    "TEKİN",  "YÜKSEL", "SEVİNÇ",  "ÖZDEMİR",  "GÜNEŞ",   "KARADENİZ", "ANADOLU",  "BAŞKENT",
    "EGE",    "TOROS",  "MARMARA", "AKDENİZ",  "ERCİYES", "ULUDAĞ",    "UĞUR",     "GÜVEN",
    "ÖZGÜR",  "BİRLİK", "DOSTLAR", "SELÇUKLU", "HİSAR",   "ŞİMŞEK",    "METİN",    "KARA",
    "ÖZER",   "AKIN",   "TURAN",   "ATEŞ",     "DURMAZ",  "ÇINAR",     "ALTIN",    "YAVUZ",
    "GÜRSOY", "ASYA",   "ORHAN",   "İNCE",
};

const char* const kBanks[] = {
    "Ziraat Bankası", "Türkiye İş Bankası", "Garanti BBVA", "Yapı Kredi", "Akbank",
    "Halkbank",       "VakıfBank",          "QNB",          "Denizbank",  "TEB",
};

// City | district | area code | tax office | estate | region | region code | weight
const char* const kPlaces[] = {
    "İstanbul|İkitelli|212|İkitelli V.D.|İkitelli OSB Oto Yedek Parçacılar Sitesi|MARMARA|1|5",
    "İstanbul|Bayrampaşa|212|Bayrampaşa V.D.|Bayrampaşa Oto Sanayi Sitesi|MARMARA|1|4",
    "İstanbul|Ümraniye|216|Ümraniye V.D.|Dudullu OSB|MARMARA|1|3",
    "İstanbul|Kartal|216|Kartal V.D.|Kartal Oto Sanayi Sitesi|MARMARA|1|3",
    "Ankara|Ostim|312|Ostim V.D.|Ostim OSB|İÇ ANADOLU|2|4",
    "Ankara|Yenimahalle|312|Yenimahalle V.D.|İvedik OSB|İÇ ANADOLU|2|3",
    "İzmir|Bornova|232|Bornova V.D.|Işıkkent Oto Sanayi Sitesi|EGE|3|4",
    "İzmir|Çiğli|232|Çiğli V.D.|Atatürk OSB|EGE|3|2",
    "Bursa|Nilüfer|224|Nilüfer V.D.|Nilüfer OSB|MARMARA|1|3",
    "Bursa|Osmangazi|224|Osmangazi V.D.|Demirtaş Oto Sanayi Sitesi|MARMARA|1|2",
    "Kocaeli|İzmit|262|Tepecik V.D.|Yeni Oto Sanayi Sitesi|MARMARA|1|2",
    "Tekirdağ|Çorlu|282|Çorlu V.D.|Çorlu Oto Sanayi Sitesi|MARMARA|1|1",
    "Balıkesir|Karesi|266|Karesi V.D.|Balıkesir Oto Sanayi Sitesi|MARMARA|1|1",
    "Konya|Karatay|332|Selçuk V.D.|Karatay Oto Sanayi Sitesi|İÇ ANADOLU|2|3",
    "Kayseri|Melikgazi|352|Erciyes V.D.|Kayseri Oto Sanayi Sitesi|İÇ ANADOLU|2|2",
    "Eskişehir|Odunpazarı|222|Anadolu V.D.|Eskişehir Oto Sanayi Sitesi|İÇ ANADOLU|2|2",
    "Adana|Seyhan|322|Seyhan V.D.|Adana Oto Sanayi Sitesi|AKDENİZ|4|3",
    "Mersin|Akdeniz|324|Uray V.D.|Mersin Oto Sanayi Sitesi|AKDENİZ|4|2",
    "Antalya|Kepez|242|Kepez V.D.|Kepez Oto Sanayi Sitesi|AKDENİZ|4|3",
    "Hatay|Antakya|326|Antakya V.D.|Antakya Küçük Sanayi Sitesi|AKDENİZ|4|1",
    "Gaziantep|Şehitkamil|342|Şehitkamil V.D.|Küsget Sanayi Sitesi|GÜNEYDOĞU ANADOLU|5|3",
    "Diyarbakır|Bağlar|412|Gökalp V.D.|Bağlar Oto Sanayi Sitesi|GÜNEYDOĞU ANADOLU|5|2",
    "Samsun|Canik|362|Gazi V.D.|Samsun Oto Sanayi Sitesi|KARADENİZ|6|2",
    "Trabzon|Ortahisar|462|Karadeniz V.D.|Trabzon Oto Sanayi Sitesi|KARADENİZ|6|2",
    "Erzurum|Yakutiye|442|Aziziye V.D.|Erzurum Oto Sanayi Sitesi|DOĞU ANADOLU|7|1",
    "Malatya|Battalgazi|422|Fırat V.D.|Malatya Oto Sanayi Sitesi|DOĞU ANADOLU|7|1",
    "Denizli|Merkezefendi|258|Pamukkale V.D.|Denizli Oto Sanayi Sitesi|EGE|3|2",
    "Manisa|Yunusemre|236|Mesir V.D.|Manisa Oto Sanayi Sitesi|EGE|3|1",
    "Sakarya|Adapazarı|264|Gümrükönü V.D.|Adapazarı Oto Sanayi Sitesi|MARMARA|1|1",
};

template <std::size_t N> QStringList tableList(const char* const (&table)[N]) {
    QStringList list;
    list.reserve(qsizetype(N));
    for (const char* s : table)
        list.append(QString::fromUtf8(s));
    return list;
}

QList<ProducerBrand> buildBrands() {
    QList<ProducerBrand> brands;
    for (const QString& line : tableList(kBrands)) {
        const QStringList f = line.split(QLatin1Char('|'));
        brands.append({f.at(0), f.at(1).split(QLatin1Char(';'))});
    }
    return brands;
}

QList<VehicleMake> buildMakes() {
    QList<VehicleMake> makes;
    for (const QString& line : tableList(kMakes)) {
        const QStringList f = line.split(QLatin1Char('|'));
        VehicleMake make;
        make.name = f.at(0);
        make.priceFactor = f.at(1).toDouble();
        make.weight = f.at(2).toInt();
        make.finisCodes = f.at(3) == QLatin1String("F");
        make.oemPatterns = f.at(4).split(QLatin1Char(';'));
        const QStringList engines = splitList(f.at(5), QLatin1Char(','));
        for (const QString& m : f.at(6).split(QLatin1Char(';'))) {
            VehicleModel model;
            QString name = m.section(QLatin1Char(':'), 0, 0);
            model.commercial = name.endsWith(QLatin1Char('*'));
            if (model.commercial)
                name.chop(1);
            model.name = name;
            const QString own = m.section(QLatin1Char(':'), 1);
            model.engines = own.isEmpty() ? engines : own.split(QLatin1Char(','));
            make.models.append(model);
        }
        makes.append(make);
    }
    return makes;
}

QList<MainGroup> buildGroups() {
    QList<MainGroup> groups;
    for (const QString& line : tableList(kCatalogue)) {
        if (line.startsWith(QLatin1Char('@'))) {
            const QStringList f = line.mid(1).split(QLatin1Char('|'));
            groups.append({f.at(0), f.at(1), f.at(2), f.at(3).toInt(), {}});
            continue;
        }
        const QStringList f = line.split(QLatin1Char('|'));
        PartKind k;
        k.name = f.at(0);
        k.subGroup = f.at(1);
        k.otherName = f.at(2);
        k.positions = splitList(f.at(3), QLatin1Char(','));
        k.variants = splitList(f.at(4), QLatin1Char(','));
        k.minPrice = f.at(5).toDouble();
        k.maxPrice = f.at(6).toDouble();
        k.unit = f.at(7);
        k.vat = f.at(8).toDouble();
        k.universal = f.at(9).contains(QLatin1Char('U'));
        k.variantAlways = f.at(9).contains(QLatin1Char('V'));
        k.coloured = f.at(9).contains(QLatin1Char('C'));
        for (const QString& b : f.at(10).split(QLatin1Char(','))) {
            const int i = producerBrandIndex(b);
            Q_ASSERT_X(i >= 0, "demo catalogue", "unknown brand");
            if (i >= 0)
                k.brands.append(i);
        }
        k.standards = f.size() > 11 ? splitList(f.at(11), QLatin1Char(',')) : QStringList();
        groups.last().kinds.append(k);
    }
    return groups;
}

QList<Place> buildPlaces() {
    QList<Place> list;
    for (const QString& line : tableList(kPlaces)) {
        const QStringList f = line.split(QLatin1Char('|'));
        list.append({f.at(0), f.at(1), f.at(2).toInt(), f.at(3), f.at(4), f.at(5), f.at(6).toInt(),
                     f.at(7).toInt()});
    }
    return list;
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace

const QList<Place>& places() {
    static const QList<Place> list = buildPlaces();
    return list;
}

const QStringList& firstNames() {
    static const QStringList list = tableList(kFirstNames);
    return list;
}

const QStringList& surnames() {
    static const QStringList list = tableList(kSurnames);
    return list;
}

const QStringList& firmStems() {
    static const QStringList list = tableList(kFirmStems);
    return list;
}

const QStringList& banks() {
    static const QStringList list = tableList(kBanks);
    return list;
}

QString personName(Prng& rng) {
    return rng.pick(firstNames()) + QLatin1Char(' ') + rng.pick(surnames());
}

QString firmName(Prng& rng, const QString& stem) {
    static const QStringList patterns = utf8List({
        "%1 OTO YEDEK PARÇA LTD. ŞTİ.",
        "%1 OTOMOTİV SAN. TİC. A.Ş.",
        "%1 OTO SANAYİ VE TİC. LTD. ŞTİ.",
        "%1 OTOMOTİV YEDEK PARÇA İTH. İHR. LTD. ŞTİ.",
        "%1 OTO PARÇA TİC. LTD. ŞTİ.",
        "%1 MOTORLU ARAÇLAR SAN. VE TİC. A.Ş.",
        "%1 OTO ELEKTRİK VE YEDEK PARÇA",
        "%1 FREN VE DEBRİYAJ SİSTEMLERİ LTD. ŞTİ.",
        "%1 OTOMOTİV",
        "%1 KARDEŞLER OTO YEDEK PARÇA",
    });
    // A stem that is a plural already takes no "KARDEŞLER".
    const qsizetype choices =
        stem.endsWith(QStringLiteral("LER")) || stem.endsWith(QStringLiteral("LAR"))
            ? patterns.size() - 1
            : patterns.size();
    return patterns.at(rng.index(choices)).arg(stem);
}

QString addressLine1(Prng& rng, const Place& place) {
    static const QStringList streets =
        utf8List({"Atatürk", "Cumhuriyet", "Sanayi", "İstiklal", "Fatih", "Gazi", "Barış",
                  "Mimar Sinan", "Fevzi Çakmak", "Menderes"});
    switch (rng.range(0, 3)) {
    case 0:
        return QStringLiteral("%1 %2. Blok No:%3")
            .arg(place.estate)
            .arg(rng.range(1, 40))
            .arg(rng.range(1, 120));
    case 1:
        return QStringLiteral("%1 %2. Cadde No:%3")
            .arg(place.estate)
            .arg(rng.range(1, 25))
            .arg(rng.range(1, 90));
    case 2:
        return QStringLiteral("%1 %2. Sokak No:%3/%4")
            .arg(place.estate)
            .arg(rng.range(1, 60))
            .arg(rng.range(1, 70))
            .arg(rng.range(1, 12));
    default:
        return QStringLiteral("%1 Cad. No:%2").arg(rng.pick(streets)).arg(rng.range(1, 240));
    }
}

QString addressLine2(Prng& rng) {
    static const QStringList quarters =
        utf8List({"Atatürk Mah.", "Yeni Mah.", "Sanayi Mah.", "Cumhuriyet Mah.",
                  "Fevzi Çakmak Mah.", "Mevlana Mah.", "Yunus Emre Mah.", "Hürriyet Mah.",
                  "Organize Sanayi Bölgesi", "Zafer Mah."});
    return rng.pick(quarters);
}

QString asciiFold(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'ç':
        case u'Ç':
            out += QLatin1Char('c');
            break;
        case u'ğ':
        case u'Ğ':
            out += QLatin1Char('g');
            break;
        case u'ı':
        case u'I':
        case u'İ':
            out += QLatin1Char('i');
            break;
        case u'ö':
        case u'Ö':
            out += QLatin1Char('o');
            break;
        case u'ş':
        case u'Ş':
            out += QLatin1Char('s');
            break;
        case u'ü':
        case u'Ü':
            out += QLatin1Char('u');
            break;
        case u'â':
        case u'Â':
            out += QLatin1Char('a');
            break;
        default:
            out += c.toLower();
        }
    }
    return out;
}

QString phoneNumber(Prng& rng, int areaCode) {
    return QStringLiteral("0 (%1) %2 %3 %4")
        .arg(areaCode)
        .arg(rng.range(210, 699))
        .arg(twoDigits(rng.range(0, 99)), twoDigits(rng.range(0, 99)));
}

QString gsmNumber(Prng& rng) {
    static const int operators[] = {532, 533, 535, 536, 542, 543, 505, 506, 530, 555, 553};
    return phoneNumber(rng, operators[rng.below(std::size(operators))]);
}

QString taxNumber(Prng& rng) {
    int d[9];
    d[0] = rng.range(1, 9);
    for (int i = 1; i < 9; ++i)
        d[i] = rng.range(0, 9);
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        const int t = (d[i] + 9 - i) % 10;
        int v = (t * (1 << (9 - i))) % 9;
        if (t != 0 && v == 0)
            v = 9;
        sum += v;
    }
    QString s;
    for (int x : d)
        s += QChar(u'0' + x);
    return s + QChar(u'0' + (10 - sum % 10) % 10);
}

QString ean8(Prng& rng) {
    int d[7] = {8, 6, 9, 0, 0, 0, 0};
    for (int i = 3; i < 7; ++i)
        d[i] = rng.range(0, 9);
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += d[i] * (i % 2 == 0 ? 3 : 1);
    QString s;
    for (int x : d)
        s += QChar(u'0' + x);
    return s + QChar(u'0' + (10 - sum % 10) % 10);
}

QString fillPattern(Prng& rng, const QString& pattern) {
    static const char16_t letters[] = u"ABCDEFGHJKLMNPRSTUVWXYZ";
    constexpr int letterCount = int(std::size(letters)) - 1;
    QString out;
    out.reserve(pattern.size());
    for (const QChar c : pattern) {
        if (c == u'#')
            out += QChar(u'0' + rng.range(0, 9));
        else if (c == u'@')
            out += QChar(letters[rng.range(0, letterCount - 1)]);
        else if (c == u'?')
            out += rng.chance(0.5) ? QChar(u'0' + rng.range(0, 9))
                                   : QChar(letters[rng.range(0, letterCount - 1)]);
        else
            out += c;
    }
    return out;
}

const QList<ProducerBrand>& producerBrands() {
    static const QList<ProducerBrand> list = buildBrands();
    return list;
}

int producerBrandIndex(const QString& name) {
    const QList<ProducerBrand>& list = producerBrands();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).name == name)
            return int(i);
    }
    return -1;
}

QString producerCode(Prng& rng, const ProducerBrand& brand) {
    return fillPattern(rng, rng.pick(brand.patterns));
}

const QList<VehicleMake>& vehicleMakes() {
    static const QList<VehicleMake> list = buildMakes();
    return list;
}

QString oemNumber(Prng& rng, const VehicleMake& make) {
    return fillPattern(rng, rng.pick(make.oemPatterns));
}

const QList<MainGroup>& mainGroups() {
    static const QList<MainGroup> list = buildGroups();
    return list;
}

} // namespace vk::server::demo
