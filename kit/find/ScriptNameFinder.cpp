#include "kit/find/ScriptNameFinder.h"

#include "kit/find/WordSet.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Chinese family names take one character (a few take two); a given name one or two.
const QString chineseSurnames = u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤"
    // The same names as traditional characters write them (Taiwan, Hong Kong, older records).
    u"劉陳楊黃趙吳孫馬鄭羅謝許韓馮鄧蕭蔣葉蘇呂盧鍾譚陸賈韋鄒閆龍賀顧龔萬錢嚴湯"
    // Less common ones that no everyday word begins with.
    u"伍章邢葛殷倪聂柯岳俞耿庞翟骆裴詹霍阮翁喻虞饶晏邝巫冉刁滕佟樊邬岑甄蔺鲁"
    u"聶龐翟駱饒鄺樊鄔"_s;
// Everyday words that begin with a family-name character: "王国", "高速", "金额".
const WordSet hanWordsLikeNames{
    u"王国"_s, u"高速"_s, u"高级"_s, u"高兴"_s, u"高度"_s, u"高峰"_s, u"金额"_s, u"金融"_s, u"金属"_s, u"方案"_s,
    u"方面"_s, u"方法"_s, u"方式"_s, u"方便"_s, u"方向"_s, u"周末"_s, u"周一"_s, u"周二"_s, u"周三"_s, u"周四"_s,
    u"周五"_s, u"周六"_s, u"周日"_s, u"周期"_s, u"周年"_s, u"马上"_s, u"余额"_s, u"许多"_s, u"许可"_s, u"任何"_s,
    u"任务"_s, u"付款"_s, u"付费"_s, u"万元"_s, u"毛利"_s, u"钱包"_s, u"严重"_s, u"严格"_s, u"董事"_s, u"陆续"_s,
    u"夏天"_s, u"夏季"_s, u"程序"_s, u"范围"_s, u"石油"_s, u"白色"_s, u"白天"_s, u"黄色"_s, u"曾经"_s, u"顾客"_s,
    u"顾问"_s, u"谢谢"_s, u"韩国"_s, u"于是"_s, u"何时"_s, u"江苏"_s, u"江西"_s, u"史上"_s, u"段落"_s, u"张贴"_s,
    u"陈述"_s, u"黎明"_s, u"向前"_s, u"龙头"_s, u"叶子"_s, u"宋体"_s, u"林业"_s, u"钟点"_s, u"陶瓷"_s, u"贺卡"_s,
    // Towns, districts and sights named so: "张家界", "王府井", "黄山".
    u"张家"_s, u"王府"_s, u"黄山"_s, u"黄河"_s, u"黄浦"_s, u"黄埔"_s, u"石家"_s, u"马鞍"_s, u"金华"_s,
    u"周庄"_s, u"苏州"_s, u"徐州"_s, u"郑州"_s, u"唐山"_s, u"秦皇"_s, u"武汉"_s, u"沈阳"_s, u"许昌"_s, u"罗湖"_s,
    u"罗马"_s, u"马来"_s, u"杨浦"_s, u"徐汇"_s, u"余杭"_s, u"吴江"_s, u"金门"_s, u"龙岩"_s, u"万州"_s, u"唐人"_s,
    u"高新"_s, u"江南"_s,
    // Food, drink and things sold: "黄瓜", "汤圆", "胡椒".
    u"黄瓜"_s, u"黄油"_s, u"黄豆"_s, u"黄金"_s, u"白糖"_s, u"白米"_s, u"白酒"_s, u"胡椒"_s, u"陈皮"_s,
    u"陈醋"_s, u"汤圆"_s, u"汤面"_s, u"汤包"_s, u"汤底"_s, u"龙虾"_s, u"龙眼"_s, u"龙井"_s, u"石榴"_s, u"熊猫"_s,
    u"毛巾"_s, u"毛衣"_s, u"苏打"_s, u"姜汁"_s, u"姜丝"_s, u"马铃"_s, u"毛豆"_s, u"雷达"_s,
    // Everyday words again: "高铁", "周边", "万一", "严禁".
    u"高铁"_s, u"高中"_s, u"高考"_s, u"高端"_s, u"高温"_s, u"高清"_s, u"高档"_s, u"金牌"_s, u"金卡"_s, u"白领"_s,
    u"周边"_s, u"周围"_s, u"程度"_s, u"万一"_s, u"万能"_s, u"严禁"_s, u"谢绝"_s, u"毛病"_s, u"马路"_s, u"马桶"_s,
    u"石头"_s, u"任意"_s, u"付出"_s, u"向来"_s, u"何况"_s, u"杜绝"_s, u"龙卷"_s, u"江湖"_s, u"武术"_s, u"孔雀"_s,
    u"陈列"_s, u"胡萝"_s, u"胡同"_s, u"韩式"_s, u"韩餐"_s, u"万达"_s, u"高架"_s, u"罗汉"_s, u"龙门"_s, u"江边"_s};
const QStringList compoundSurnames{u"欧阳"_s, u"司马"_s, u"上官"_s, u"诸葛"_s, u"东方"_s, u"皇甫"_s, u"司徒"_s,
                                   u"司空"_s, u"夏侯"_s, u"慕容"_s, u"公孙"_s, u"尉迟"_s, u"长孙"_s, u"宇文"_s,
                                   u"令狐"_s, u"端木"_s, u"歐陽"_s, u"司馬"_s, u"諸葛"_s, u"長孫"_s};
// Characters that end a Chinese name when they follow the family name's first
// given-name character: verbs, time words and particles of the sentence.
const QString chineseStops = u"说下来的在是和与给让已将要把被对去打发请先同今昨上于也都就还又等讲问告确提收付回电号已会想要一二三女男"
                             u"点订买做拿送带取退换签投没不很"_s;
const QStringList japaneseSurnames{
    u"佐藤"_s, u"鈴木"_s, u"高橋"_s, u"田中"_s, u"伊藤"_s, u"渡辺"_s, u"山本"_s, u"中村"_s, u"小林"_s,
    u"加藤"_s, u"吉田"_s, u"山田"_s, u"佐々木"_s, u"山口"_s, u"松本"_s, u"井上"_s, u"木村"_s, u"林"_s,
    u"斎藤"_s, u"清水"_s, u"山崎"_s, u"森"_s, u"池田"_s, u"橋本"_s, u"阿部"_s, u"石川"_s, u"前田"_s,
    u"藤田"_s, u"小川"_s, u"後藤"_s, u"岡田"_s, u"長谷川"_s, u"村上"_s, u"近藤"_s, u"石井"_s, u"坂本"_s,
    u"遠藤"_s, u"青木"_s, u"藤井"_s, u"西村"_s, u"福田"_s, u"太田"_s, u"三浦"_s, u"藤原"_s, u"岡本"_s,
    u"木下"_s, u"吉川"_s, u"西田"_s, u"藤本"_s, u"松井"_s, u"野口"_s, u"松田"_s, u"菊地"_s, u"菅原"_s,
    u"杉山"_s, u"村田"_s, u"田村"_s, u"原田"_s, u"和田"_s, u"中山"_s, u"石田"_s, u"森田"_s, u"小島"_s,
    u"柴田"_s, u"酒井"_s, u"工藤"_s, u"横山"_s, u"宮本"_s, u"内田"_s, u"高木"_s, u"安藤"_s, u"島田"_s,
    u"谷口"_s, u"大野"_s, u"丸山"_s, u"今井"_s, u"河野"_s, u"中島"_s, u"中川"_s, u"久保"_s, u"松尾"_s,
    u"岩崎"_s, u"野村"_s, u"桜井"_s, u"松下"_s, u"平野"_s, u"菅野"_s, u"吉村"_s, u"北村"_s, u"武田"_s,
    u"佐野"_s, u"大西"_s, u"杉本"_s, u"荒木"_s, u"五十嵐"_s, u"服部"_s, u"水野"_s, u"浅野"_s, u"星野"_s,
    u"田辺"_s, u"永井"_s, u"望月"_s, u"平田"_s, u"小西"_s, u"川村"_s, u"石原"_s, u"片山"_s, u"松岡"_s,
    u"岩田"_s, u"小池"_s, u"早川"_s, u"坂口"_s, u"松村"_s};
// Honorifics after a name: never part of it.
const QStringList honorifics{u"様"_s, u"さん"_s, u"さま"_s, u"氏"_s, u"君"_s, u"くん"_s, u"ちゃん"_s,
                             u"殿"_s, u"先生"_s, u"女士"_s, u"님"_s, u"씨"_s, u"जी"_s};
// Words before a name in these scripts: "contact", "person in charge".
const QStringList hanCues{u"联系人"_s, u"请联系"_s, u"联系"_s, u"聯絡人"_s, u"請聯絡"_s, u"聯絡"_s,
                          u"聯繫"_s, u"担当"_s, u"负责人"_s, u"收件人"_s, u"签收人"_s};
// Words inside a run of Han characters that a name follows: "customer", "send to", "tell".
const QStringList hanInnerCues{u"用户"_s, u"客户"_s, u"顾客"_s, u"寄给"_s, u"交给"_s, u"转给"_s, u"通知"_s, u"告诉"_s,
                               u"转告"_s, u"感谢"_s, u"联系人"_s, u"收件人"_s, u"签收人"_s, u"负责人"_s,
                               // Who someone is at work, before the name: "收银员何佳", "司机老张".
                               u"收银员"_s, u"服务员"_s, u"司机"_s, u"厨师"_s, u"员工"_s, u"同事"_s, u"店员"_s,
                               u"导游"_s, u"会计"_s, u"快递员"_s, u"骑手"_s, u"客戶"_s, u"顧客"_s, u"司機"_s, u"員工"_s};
// Titles after a Chinese name, written without a space: "陈志明先生".
const QStringList hanTitles{u"先生"_s, u"女士"_s, u"小姐"_s, u"老师"_s, u"经理"_s, u"医生"_s, u"教授"_s, u"同学"_s,
                            u"师傅"_s, u"阿姨"_s, u"太太"_s, u"夫人"_s, u"主任"_s, u"总监"_s, u"律师"_s, u"护士"_s,
                            u"大夫"_s, u"校长"_s, u"院长"_s, u"老板"_s, u"經理"_s, u"老師"_s, u"醫生"_s, u"同學"_s,
                            u"師傅"_s, u"律師"_s, u"護士"_s, u"總監"_s, u"老闆"_s};
const QString koreanSurnames = u"김이박최정강조윤장임한오서신권황안송류전홍고문양손배백허유남심노하곽성차주우구민나진지엄채원천방공현함변염여추도소석선설마길연위표명기반왕금옥육인맹제모탁국어은편용"_s;
// Words before a Korean name: "recipient", "person in charge", "booker", "applicant".
const QStringList koreanCues{u"수령인"_s, u"받는분"_s, u"보내는분"_s, u"담당자"_s, u"예약자"_s, u"신청자"_s,
                             u"주문자"_s, u"고객명"_s, u"성명"_s, u"이름"_s};
const QStringList koreanTitles{u"신입사원"_s, u"사원"_s, u"주임"_s, u"고객"_s, u"회원"_s, u"환자"_s, u"학생"_s, u"교수"_s, u"기사"_s, u"과장"_s, u"부장"_s, u"대리"_s, u"사장"_s, u"팀장"_s, u"님"_s, u"씨"_s, u"선생"_s, u"대표"_s, u"실장"_s, u"차장"_s,
                              // A congregation's offices, and how its members call one another.
                              u"목사"_s, u"전도사"_s, u"집사"_s, u"권사"_s, u"장로"_s, u"성도"_s, u"선교사"_s,
                              u"형제"_s, u"자매"_s, u"간사"_s, u"박사"_s, u"원장"_s, u"변호사"_s,
                              u"선수"_s, u"감독"_s, u"코치"_s, u"기자"_s, u"작가"_s, u"의원"_s, u"약사"_s};
// Offices a family name alone goes before: "김 목사님", "박부장님".
const QStringList koreanOffices{u"목사"_s, u"전도사"_s, u"집사"_s, u"권사"_s, u"장로"_s, u"선생"_s, u"사장"_s,
                                u"부장"_s, u"과장"_s, u"대리"_s, u"팀장"_s, u"실장"_s, u"차장"_s, u"교수"_s,
                                u"박사"_s, u"원장"_s, u"대표"_s, u"간사"_s};
// Trades and offices of three syllables that open with a family name: "전도사님"
// is a preacher, "이사장님" a board's chair.
const WordSet koreanRoleWords{u"전도사"_s, u"선교사"_s, u"변호사"_s, u"조리사"_s, u"노무사"_s, u"설계사"_s,
                              u"안내원"_s, u"위원장"_s, u"이사장"_s, u"지사장"_s, u"구역장"_s, u"기관사"_s,
                              u"배달원"_s, u"연구원"_s, u"공무원"_s, u"은행원"_s, u"도우미"_s, u"간호사"_s,
                              u"조교수"_s, u"정교수"_s, u"연대표"_s};
const WordSet arabicGivenNames{
    u"محمد"_s, u"أحمد"_s, u"علي"_s, u"عمر"_s, u"يوسف"_s, u"خالد"_s, u"حسن"_s, u"حسين"_s, u"إبراهيم"_s,
    u"عبدالله"_s, u"عبد"_s, u"سعيد"_s, u"طارق"_s, u"كريم"_s, u"فاطمة"_s, u"ليلى"_s, u"نورة"_s, u"نور"_s,
    u"مريم"_s, u"سارة"_s, u"عائشة"_s, u"خديجة"_s, u"زينب"_s, u"ريم"_s, u"هند"_s, u"سلمى"_s, u"منى"_s,
    u"ياسمين"_s, u"أمل"_s, u"رشيد"_s, u"سلمان"_s, u"فيصل"_s, u"ماجد"_s, u"هدى"_s, u"لينا"_s, u"رنا"_s,
    u"سامي"_s, u"سامر"_s, u"باسم"_s, u"وليد"_s, u"ناصر"_s, u"هشام"_s, u"مصطفى"_s, u"محمود"_s, u"عمرو"_s,
    u"زياد"_s, u"مازن"_s, u"رامي"_s, u"بلال"_s, u"أنس"_s, u"حمزة"_s, u"عثمان"_s, u"سليمان"_s, u"نبيل"_s,
    u"فادي"_s, u"إلياس"_s, u"يعقوب"_s, u"موسى"_s, u"عيسى"_s, u"هاني"_s, u"أيمن"_s, u"أسامة"_s, u"وائل"_s,
    u"ماهر"_s, u"راشد"_s, u"سعد"_s, u"نايف"_s, u"ياسر"_s, u"مروان"_s, u"طلال"_s, u"شادي"_s,
    u"عماد"_s, u"إسماعيل"_s, u"إياد"_s, u"نادر"_s, u"عبدالرحمن"_s, u"عبدالعزيز"_s, u"نادية"_s, u"سميرة"_s,
    u"رانيا"_s, u"دينا"_s, u"هالة"_s, u"أسماء"_s, u"نسرين"_s, u"شيماء"_s, u"آمنة"_s, u"غادة"_s, u"لمى"_s,
    u"تالا"_s, u"رشا"_s, u"عبير"_s, u"لبنى"_s, u"أميرة"_s, u"سلوى"_s, u"نجلاء"_s, u"ريما"_s, u"رزان"_s,
    u"مها"_s, u"روان"_s, u"ديما"_s, u"ميساء"_s, u"سوسن"_s, u"رغد"_s, u"سهى"_s};
// Nouns with the article that follow a name in a sentence ("أرسلت منى التقرير",
// Muna sent the report), which the family names that take the article resemble.
const WordSet arabicCommonNouns{
    u"التقرير"_s, u"الموعد"_s, u"الملف"_s, u"الفاتورة"_s, u"الطلب"_s, u"الحساب"_s, u"المبلغ"_s, u"الدفع"_s,
    u"الأوراق"_s, u"النتائج"_s, u"التحاليل"_s, u"الأشعة"_s, u"الدواء"_s, u"العقد"_s, u"الاستقبال"_s, u"الطبيب"_s,
    u"المريض"_s, u"اليوم"_s, u"الآن"_s, u"الصباح"_s, u"المساء"_s, u"الوثائق"_s, u"الجواز"_s, u"الرسالة"_s,
    u"البريد"_s, u"الهاتف"_s, u"المكتب"_s, u"الاجتماع"_s, u"العيادة"_s, u"الشحنة"_s, u"الطرد"_s, u"المفتاح"_s};
const WordSet arabicSurnames{u"منصور"_s, u"حداد"_s, u"خوري"_s, u"حسن"_s, u"علي"_s, u"صالح"_s,
                                   u"عباس"_s, u"يوسف"_s, u"إبراهيم"_s, u"محمود"_s, u"قاسم"_s};
const WordSet devanagariGivenNames{
    u"राहुल"_s, u"अमित"_s, u"विकास"_s, u"प्रिया"_s, u"सुनील"_s, u"अनिल"_s, u"राज"_s, u"सुरेश"_s, u"रमेश"_s,
    u"पूजा"_s, u"नेहा"_s, u"अंजलि"_s, u"दीपक"_s, u"विजय"_s, u"संजय"_s, u"राजेश"_s, u"मनोज"_s, u"सुनीता"_s,
    u"अनीता"_s, u"कविता"_s, u"रोहित"_s, u"अर्जुन"_s, u"विक्रम"_s, u"आदित्य"_s, u"लक्ष्मी"_s, u"गीता"_s,
    u"रवि"_s, u"सुमित"_s, u"अजय"_s, u"अभिषेक"_s, u"अंकित"_s, u"नितिन"_s, u"सचिन"_s, u"सौरभ"_s, u"गौरव"_s,
    u"वरुण"_s, u"मोहित"_s, u"रेखा"_s, u"ममता"_s, u"पूनम"_s, u"स्नेहा"_s, u"प्रियंका"_s, u"दिव्या"_s,
    u"श्वेता"_s, u"रीता"_s, u"सरिता"_s, u"मीना"_s, u"रश्मि"_s, u"शालिनी"_s, u"अनुराधा"_s, u"महेश"_s};
const WordSet devanagariSurnames{
    u"शर्मा"_s, u"कुमार"_s, u"सिंह"_s, u"वर्मा"_s, u"गुप्ता"_s, u"पटेल"_s, u"यादव"_s, u"जोशी"_s, u"मिश्रा"_s,
    u"अग्रवाल"_s, u"चौधरी"_s, u"राव"_s, u"कुलकर्णी"_s, u"देशपांडे"_s, u"पाटिल"_s, u"नायर"_s, u"देसाई"_s,
    u"पवार"_s, u"मेहता"_s, u"शाह"_s, u"बाजपेयी"_s, u"चतुर्वेदी"_s, u"त्रिपाठी"_s, u"पांडे"_s, u"दुबे"_s,
    u"तिवारी"_s, u"सक्सेना"_s, u"भट्ट"_s, u"रेड्डी"_s, u"अय्यर"_s, u"मेनन"_s, u"बनर्जी"_s, u"चटर्जी"_s,
    u"मुखर्जी"_s, u"घोष"_s, u"कपूर"_s, u"मल्होत्रा"_s, u"खन्ना"_s, u"चोपड़ा"_s, u"अरोड़ा"_s, u"भाटिया"_s,
    u"ठाकुर"_s, u"चौहान"_s, u"राठौर"_s, u"नाइक"_s, u"जैन"_s, u"श्रीवास्तव"_s, u"दीक्षित"_s, u"सिन्हा"_s};
const WordSet thaiGivenNames{u"สมชาย"_s, u"สมศักดิ์"_s, u"สมศรี"_s, u"สมพงษ์"_s, u"ประเสริฐ"_s,
                                   u"สุดา"_s, u"มาลี"_s, u"วิชัย"_s, u"สุนทร"_s, u"อรุณ"_s,
                                   u"สมหญิง"_s, u"สมปอง"_s, u"อนันต์"_s, u"สุรชัย"_s, u"ชัยวัฒน์"_s, u"วีระ"_s,
                                   u"บุญมี"_s, u"นิภา"_s, u"รัตนา"_s, u"พรทิพย์"_s, u"ศิริพร"_s, u"อัญชลี"_s,
                                   u"กาญจนา"_s, u"วันเพ็ญ"_s, u"สุนีย์"_s, u"ปราณี"_s, u"มานพ"_s, u"ธีระ"_s,
                                   u"ชาตรี"_s, u"สมเกียรติ"_s, u"ไพโรจน์"_s, u"บุญชัย"_s, u"เกศินี"_s, u"วิภา"_s};
const WordSet hebrewGivenNames{u"שרה"_s, u"דוד"_s, u"משה"_s, u"יוסי"_s, u"רחל"_s, u"מיכל"_s,
                               u"נועה"_s, u"יעל"_s, u"אבי"_s, u"דניאל"_s, u"רבקה"_s, u"לאה"_s,
                               u"דנה"_s, u"יוסף"_s, u"יצחק"_s, u"יעקב"_s, u"אורי"_s, u"איתי"_s, u"עומר"_s,
                               u"אמיר"_s, u"תומר"_s, u"עידו"_s, u"יונתן"_s, u"אלון"_s, u"רועי"_s, u"אריאל"_s,
                               u"ענבל"_s, u"מאיה"_s, u"רוני"_s, u"הילה"_s, u"ליאת"_s, u"אורית"_s, u"הדס"_s,
                               u"סיגל"_s, u"אפרת"_s, u"נעמה"_s, u"אסתר"_s, u"רות"_s, u"אביטל"_s, u"יפעת"_s,
                               u"מירב"_s, u"רונית"_s, u"אילנה"_s, u"שושנה"_s, u"דבורה"_s, u"אבנר"_s,
                               u"אליהו"_s, u"בנימין"_s, u"נדב"_s, u"ליאור"_s, u"דורית"_s, u"שרית"_s,
                               u"מיכאל"_s, u"רפאל"_s, u"גבריאל"_s,
                               // The short forms most people go by.
                               u"דני"_s, u"רותי"_s, u"מוטי"_s, u"קובי"_s, u"איציק"_s, u"צחי"_s, u"שמוליק"_s,
                               u"ציפי"_s, u"שולה"_s, u"אורנה"_s};

enum class Script { other, han, kana, hangul, arabic, devanagari, thai, hebrew };

char32_t codePoint(const QString &text, qsizetype i, qsizetype *width)
{
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *width = 2;
        return QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
    }
    *width = 1;
    return text.at(i).unicode();
}

Script scriptOf(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han: return Script::han;
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana: return Script::kana;
    case QChar::Script_Hangul: return Script::hangul;
    case QChar::Script_Arabic: return Script::arabic;
    case QChar::Script_Devanagari: return Script::devanagari;
    case QChar::Script_Thai: return Script::thai;
    case QChar::Script_Hebrew: return Script::hebrew;
    default: return Script::other;
    }
}

// A stretch of one script: Han characters, a kana run, or one word of a
// spaced script.
struct Segment
{
    Script script = Script::other;
    TextRange range;
};

QList<Segment> segments(const QString &text)
{
    QList<Segment> result;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype width = 1;
        const char32_t c = codePoint(text, i, &width);
        const Script script = QChar::isMark(c) ? Script::other : scriptOf(c);
        if (!result.isEmpty() && result.last().range.end == i
            && (result.last().script == script || (QChar::isMark(c) && result.last().script != Script::other))) {
            result.last().range.end = i + width;
        } else if (script != Script::other) {
            result.append({script, {i, i + width}});
        }
        i += width;
    }
    return result;
}

bool startsWithAny(QStringView text, const QStringList &prefixes)
{
    return std::any_of(prefixes.cbegin(), prefixes.cend(), [&](const QString &p) { return text.startsWith(p); });
}

QStringView viewOf(const QString &text, TextRange range)
{
    return QStringView(text).sliced(range.start, range.length());
}

// Counts characters, not UTF-16 units (rare Han characters lie beyond the first plane).
qsizetype characters(QStringView text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

// The UTF-16 length of the first n characters.
qsizetype unitsOf(QStringView text, qsizetype n)
{
    qsizetype i = 0;
    for (; i < text.size() && n > 0; --n)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return i;
}

bool mostlyOtherScript(const QString &text)
{
    const qsizetype latin = std::count_if(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x250 && c.isLetter(); });
    return latin * 2 > text.size() / 2;
}

// Words that open a Chinese name inside running text ("给李明打电话", "和王芳联系"),
// the verbs that close one, and time words that may stand before it.
const QString hanLeadParticles = u"给和跟让找问向与叫同由被給與讓問"_s;
const QStringList hanClosingCues{u"说"_s, u"打电话"_s, u"来电"_s, u"联系"_s, u"反馈"_s, u"表示"_s, u"要求"_s,
                                 u"提到"_s, u"确认"_s, u"打来"_s, u"回复"_s, u"发来"_s, u"负责"_s, u"同意"_s, u"反映"_s,
                                 u"没来"_s, u"请假"_s, u"已经"_s, u"不在"_s, u"来了"_s, u"到了"_s};
const QStringList hanTimeWords{u"今天"_s, u"昨天"_s, u"明天"_s, u"刚才"_s, u"上午"_s, u"下午"_s, u"晚上"_s,
                               u"昨晚"_s, u"今晚"_s, u"今早"_s, u"明早"_s, u"中午"_s, u"早上"_s, u"刚刚"_s};

qsizetype hanSurnameLength(QStringView rest)
{
    if (startsWithAny(rest, compoundSurnames))
        return 2;
    // "王国强说" is a name all the same: a cue verb right after a given name of two.
    static const QStringList speechCues{u"说"_s, u"来电"_s, u"打电话"_s};
    const bool namedByCue = rest.size() > 3 && startsWithAny(rest.sliced(3), speechCues);
    const bool word = !namedByCue && hanWordsLikeNames.contains(rest.first(qMin(2, rest.size())).toString());
    return !rest.isEmpty() && chineseSurnames.contains(rest.front()) && !word ? 1 : 0;
}

// The length, in UTF-16 units, of a Han name at the start of `run`; 0 when none.
qsizetype hanNameLength(QStringView run, bool cued)
{
    // "来客：渡辺様", "联系人：王先生": the title closes the name, and may leave the family name alone.
    for (const QString &title : hanTitles + QStringList{u"様"_s, u"殿"_s, u"氏"_s})
        if (run.size() > title.size() && run.endsWith(title)) {
            const QStringView named = run.chopped(title.size());
            if (startsWithAny(named, compoundSurnames) ? named.size() == 2 : named.size() == 1)
                return chineseSurnames.contains(named.front()) || japaneseSurnames.contains(named.toString()) || named.size() == 2
                    ? named.size() : 0;
            // "西田由美子様": before the title a Japanese given name may take three characters.
            for (const QString &surname : japaneseSurnames)
                if (named.startsWith(surname) && named.size() > surname.size() && named.size() <= surname.size() + 3)
                    return named.size();
            return qMin(hanNameLength(named, cued), named.size());
        }
    // "中村屋", "松本市", "山田駅": a shop, a town or a station named after a family.
    static const QString placeEndings = u"屋店駅町市区村橋線堂寺社園製"_s;
    for (const QString &surname : japaneseSurnames)
        if (run == surname && surname.size() >= 2)
            return run.size();
        else if (run.startsWith(surname) && run.size() > surname.size())
            return placeEndings.contains(run.at(surname.size())) ? 0 : qMin(run.size(), surname.size() + 2);
    const qsizetype surname = hanSurnameLength(run);
    if (surname == 0 || run.size() <= surname || chineseStops.contains(run.at(surname)))
        return cued && characters(run) >= 2 && characters(run) <= 4 ? run.size() : 0;
    // "李娜明天来": a given name of one character before "tomorrow" or "today".
    const bool timeNext = startsWithAny(run.sliced(surname + 1), hanTimeWords);
    const qsizetype length = surname + 2 <= run.size() && !chineseStops.contains(run.at(surname + 1)) && !timeNext
        ? surname + 2 : surname + 1;
    return qMin(length, run.size());
}

// Words right before a family name that stands for the whole person: "老黄",
// "小周" (how colleagues address one another), "姓刘" ("surnamed Liu").
const QString hanAddressWords = u"老小姓"_s;

// The length of a family name alone that ends at `end` of `run`: opening it, or
// after an address word; 0 when none.
qsizetype familyNameEndingAt(QStringView run, qsizetype end)
{
    const auto opens = [&](qsizetype at) {
        return at == 0 || hanAddressWords.contains(run.at(at - 1)) || hanLeadParticles.contains(run.at(at - 1))
            || std::any_of(hanInnerCues.cbegin(), hanInnerCues.cend(), [&](const QString &cue) { return run.first(at).endsWith(cue); });
    };
    if (end >= 2 && startsWithAny(run.sliced(end - 2), compoundSurnames) && opens(end - 2))
        return 2;
    const bool alone = end >= 1 && opens(end - 1);
    return end >= 1 && alone && chineseSurnames.contains(run.at(end - 1)) ? 1 : 0;
}

// "客户王秀英来电", "寄给陈志明先生", "王先生": a name inside a longer run,
// after a cue word or before a title. Gives the name's range, or an empty one.
TextRange innerHanName(const QString &text, const Segment &segment)
{
    const QStringView run = viewOf(text, segment.range);
    for (const QString &title : hanTitles) {
        const qsizetype at = run.indexOf(title);
        for (qsizetype length = 3; at > 0 && length >= 2; --length) {
            if (at < length)
                continue;
            const QStringView name = run.sliced(at - length, length);
            if (hanNameLength(name, false) == length)
                return {segment.range.start + at - length, segment.range.start + at};
        }
        if (const qsizetype alone = at > 0 ? familyNameEndingAt(run, at) : 0; alone > 0)
            return {segment.range.start + at - alone, segment.range.start + at};
    }
    for (const QString &cue : hanInnerCues) {
        const qsizetype at = run.indexOf(cue);
        if (at < 0 || at + cue.size() >= run.size())
            continue;
        const QStringView rest = run.sliced(at + cue.size());
        if (const qsizetype length = hanNameLength(rest, false); length >= 2)
            return {segment.range.start + at + cue.size(), segment.range.start + at + cue.size() + length};
    }
    return {};
}

// The end of a name of `surname` characters and one or two given characters
// at `at`, closed by a cue verb, or by the run's end after a lead particle; 0 when none.
qsizetype hanNameEndAt(QStringView run, qsizetype at, qsizetype surname, bool particleBefore)
{
    const auto givenFits = [&](qsizetype given) {
        const qsizetype end = at + surname + given;
        return end <= run.size() && !chineseStops.contains(run.at(at + surname))
            && (given == 1 || !chineseStops.contains(run.at(at + surname + 1)));
    };
    const auto closes = [&](QStringView rest) {
        return startsWithAny(rest, hanClosingCues) || (particleBefore && startsWithAny(rest, hanTimeWords));
    };
    for (qsizetype given = 2; given >= 1; --given)
        if (givenFits(given) && closes(run.sliced(at + surname + given)))
            return at + surname + given;
    for (qsizetype given = 2; given >= 1 && particleBefore; --given)
        if (givenFits(given) && at + surname + given == run.size())
            return run.size();
    return 0;
}

// Chinese names in the middle of a sentence, known by the small words around
// them; a name that opens the run is left to the caller when `openingTaken`.
QList<TextRange> runningHanNames(const QString &text, const Segment &segment, bool openingTaken)
{
    const QStringView run = viewOf(text, segment.range);
    QList<TextRange> found;
    for (qsizetype at = openingTaken ? 1 : 0; at < run.size(); ++at) {
        const qsizetype surname = hanSurnameLength(run.sliced(at));
        if (surname == 0)
            continue;
        // "老黄说", "导游姓刘": the family name alone, before a verb of speech or the run's end.
        const bool addressed = at > 0 && hanAddressWords.contains(run.at(at - 1));
        const bool led = at > 0 && hanLeadParticles.contains(run.at(at - 1));
        if ((addressed || led) && familyNameEndingAt(run, at + surname) == surname) {
            const QStringView rest = run.sliced(at + surname);
            const bool surnamed = run.at(at - 1) == u'姓' && (rest.isEmpty() || rest.startsWith(u'的'));
            if (surnamed || (addressed && startsWithAny(rest, hanClosingCues)) || startsWithAny(rest, hanTitles)) {
                found.append({segment.range.start + at, segment.range.start + at + surname});
                at += surname - 1;
                continue;
            }
        }
        const bool particleBefore = at > 0 && hanLeadParticles.contains(run.at(at - 1));
        const bool timeBefore = std::any_of(hanTimeWords.cbegin(), hanTimeWords.cend(),
                                            [&](const QString &w) { return run.first(at).endsWith(w); });
        if (at > 0 && !particleBefore && !timeBefore)
            continue;
        if (const qsizetype end = hanNameEndAt(run, at, surname, particleBefore); end > 0) {
            found.append({segment.range.start + at, segment.range.start + end});
            at = end - 1;
        }
    }
    return found;
}

// Japanese ranks written straight after a family name: "桜井課長", "森部長".
const QStringList japaneseRanks{u"部長"_s, u"課長"_s, u"社長"_s, u"係長"_s, u"次長"_s, u"専務"_s, u"常務"_s,
                                u"会長"_s, u"店長"_s, u"所長"_s};

// "桜井課長と": a family name of two characters before a rank, in Japanese text.
TextRange rankedJapaneseName(const QString &text, const Segment &segment)
{
    const QStringView run = viewOf(text, segment.range);
    const bool japanese = std::any_of(text.cbegin(), text.cend(),
                                      [](QChar c) { return QChar::script(c.unicode()) == QChar::Script_Hiragana; });
    for (const QString &rank : japaneseRanks) {
        const qsizetype at = run.indexOf(rank);
        if (japanese && at == 2 && characters(run.first(2)) == 2)
            return {segment.range.start, segment.range.start + 2};
    }
    return {};
}

// "コバヤシ ユウト 様", "サトウさん": a name in katakana before an honorific,
// with the word before it when the two are spaced as family and given name.
void addKatakanaNames(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    const auto isKatakanaLetter = [](QChar c) { return QChar::script(c.unicode()) == QChar::Script_Katakana || c == u'ー'; };
    const auto katakanaLength = [&](QStringView word) {
        return std::find_if_not(word.cbegin(), word.cend(), isKatakanaLetter) - word.cbegin();
    };
    const auto spacedOrJoined = [&](qsizetype left) {
        const QStringView gap = QStringView(text).sliced(parts.at(left).range.end,
                                                         parts.at(left + 1).range.start - parts.at(left).range.end);
        return gap.isEmpty() || gap == u" "_s || gap == u"　"_s;
    };
    for (qsizetype p = 0; p < parts.size(); ++p) {
        const Segment &segment = parts.at(p);
        const QStringView word = viewOf(text, segment.range);
        const qsizetype katakana = katakanaLength(word);
        if (segment.script != Script::kana || katakana < 2)
            continue;
        // The honorific may be written on: "サトウさん" is one kana segment.
        const bool honourWrittenOn = katakana < word.size() && startsWithAny(word.sliced(katakana), honorifics);
        const bool honourAfter = katakana == word.size() && p + 1 < parts.size() && spacedOrJoined(p)
            && startsWithAny(viewOf(text, parts.at(p + 1).range), honorifics);
        if (!honourWrittenOn && !honourAfter)
            continue;
        TextRange range{segment.range.start, segment.range.start + katakana};
        // "ソフィア・ロッシ": foreign names set their parts apart with a middle dot.
        const auto dotted = [&](qsizetype left) {
            const QStringView gap = QStringView(text).sliced(parts.at(left).range.end, parts.at(left + 1).range.start - parts.at(left).range.end);
            return gap == u"・"_s || gap == u"･"_s;
        };
        const bool familyBefore = p > 0 && parts.at(p - 1).script == Script::kana && (spacedOrJoined(p - 1) || dotted(p - 1))
            && katakanaLength(viewOf(text, parts.at(p - 1).range)) == parts.at(p - 1).range.length()
            && parts.at(p - 1).range.end < segment.range.start;
        if (familyBefore)
            range.start = parts.at(p - 1).range.start;
        // "グエン・ヴァン・アン様": a name of three parts or more, each set off by a dot.
        for (qsizetype q = p - 1; familyBefore && q > 0 && dotted(q - 1) && parts.at(q - 1).script == Script::kana
                                  && katakanaLength(viewOf(text, parts.at(q - 1).range)) == parts.at(q - 1).range.length(); --q)
            range.start = parts.at(q - 1).range.start;
        names.append(range);
    }
}

// "ゆきさんから", "はるとくん": a given name in hiragana before an honorific,
// opening its run; the family's and the trades' words that take one
// ("おばあさん", "みなさん", "やおやさん") are none.
void addHiraganaNames(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    static const WordSet notNames{u"みな"_s, u"おばあ"_s, u"おじい"_s, u"おば"_s, u"おじ"_s, u"おかあ"_s, u"おとう"_s,
                                  u"かあ"_s, u"とう"_s, u"にい"_s, u"ねえ"_s, u"おにい"_s, u"おねえ"_s, u"あか"_s,
                                  u"おくさ"_s, u"おく"_s, u"だんな"_s, u"おまわり"_s, u"やおや"_s, u"はいしゃ"_s,
                                  u"おいしゃ"_s, u"おきゃく"_s, u"みなみ"_s};
    static const QStringList kanaHonorifics{u"さん"_s, u"ちゃん"_s, u"くん"_s, u"さま"_s};
    for (const Segment &segment : parts) {
        const QStringView word = viewOf(text, segment.range);
        const bool opens = segment.range.start == 0 || !text.at(segment.range.start - 1).isLetter();
        if (segment.script != Script::kana || !opens)
            continue;
        for (qsizetype length = 2; length <= 3 && length < word.size(); ++length) {
            const QStringView name = word.first(length);
            const bool hiragana = std::all_of(name.begin(), name.end(), [](QChar c) { return QChar::script(c.unicode()) == QChar::Script_Hiragana; });
            if (hiragana && startsWithAny(word.sliced(length), kanaHonorifics) && !notNames.contains(name.toString())) {
                names.append({segment.range.start, segment.range.start + length});
                break;
            }
        }
    }
}

// "杉浦 千晶 (Sugiura Chiaki)", "松永 千尋 様": a family name no list holds is
// still one when the two parts stand alone, spaced as records write names,
// and an honorific or the name's reading in Latin letters follows.
bool isSpacedNameRecord(const QString &text, const QList<Segment> &parts, qsizetype p, bool honoured)
{
    const Segment &family = parts.at(p);
    const Segment &given = parts.at(p + 1);
    const QStringView before = QStringView(text).first(family.range.start).trimmed();
    if (!before.isEmpty() && (before.back().isLetter() || (p > 0 && parts.at(p - 1).range.end == family.range.start)))
        return false;
    if (honoured)
        return true;
    const QStringView after = QStringView(text).sliced(given.range.end).trimmed();
    if (p + 2 < parts.size() && after.startsWith(viewOf(text, parts.at(p + 2).range))) {
        const QStringView next = viewOf(text, parts.at(p + 2).range);
        return parts.at(p + 2).script == Script::han ? honorifics.contains(next.toString()) : startsWithAny(next, honorifics);
    }
    // The reading: two Latin words, each capitalised, in brackets.
    static const QRegularExpression reading(u"^[(（]\\p{Lu}\\p{Ll}+ \\p{Lu}\\p{Ll}+"_s);
    return reading.match(after).hasMatch();
}

// "あかり", "ゆい": a given name written in hiragana, two to four of them, that
// ends where the kana do, before a bracket, a comma, a space or the text's end;
// the small words of a sentence ("から", "まで") are none.
bool isHiraganaGivenName(const QString &text, TextRange range)
{
    static const WordSet particles{u"から"_s, u"まで"_s, u"より"_s, u"など"_s, u"には"_s, u"では"_s, u"とか"_s,
                                   u"ほか"_s, u"さん"_s, u"さま"_s, u"くん"_s, u"ちゃん"_s, u"です"_s, u"ます"_s};
    const QStringView word = viewOf(text, range);
    const bool hiragana = std::all_of(word.begin(), word.end(), [](QChar c) { return QChar::script(c.unicode()) == QChar::Script_Hiragana; });
    const bool ends = range.end == text.size() || QStringView(u" 　(（,、)）"_s).contains(text.at(range.end));
    return hiragana && word.size() >= 2 && word.size() <= 4 && ends && !particles.contains(word.toString());
}

// "佐藤 美咲様", "中村 由紀子 様": a Japanese family name, a space, and a given
// name of one to three characters.
TextRange spacedJapaneseName(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    const Segment &family = parts.at(p);
    if (p + 1 >= parts.size())
        return {};
    const Segment &given = parts.at(p + 1);
    const QStringView gap = QStringView(text).sliced(family.range.end, given.range.start - family.range.end);
    if (gap != u" "_s && gap != u"　"_s)
        return {};
    if (given.script == Script::kana && japaneseSurnames.contains(viewOf(text, family.range).toString())
        && isHiraganaGivenName(text, given.range))
        return {family.range.start, given.range.end};
    if (given.script != Script::han)
        return {};
    QStringView name = viewOf(text, given.range);
    bool honoured = false;
    for (const QString &honorific : honorifics)
        if (name.size() > honorific.size() && name.endsWith(honorific)) {
            name.chop(honorific.size());
            honoured = true;
        }
    if (characters(name) < 1 || characters(name) > 3)
        return {};
    const bool listed = japaneseSurnames.contains(viewOf(text, family.range).toString());
    if (!listed && !(characters(viewOf(text, family.range)) <= 2 && isSpacedNameRecord(text, parts, p, honoured)))
        return {};
    return {family.range.start, given.range.start + name.size()};
}

// "会議で田中は", "山田太郎が来ます": a known Japanese family name, alone or
// with a given name, before the particle that marks who acts.
TextRange japaneseNameBeforeParticle(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const QStringList particles{u"は"_s, u"が"_s, u"に"_s, u"と"_s, u"から"_s, u"へ"_s, u"より"_s, u"も"_s};
    const Segment &segment = parts.at(p);
    const QStringView run = viewOf(text, segment.range);
    const bool particleNext = p + 1 < parts.size() && parts.at(p + 1).range.start == segment.range.end
        && parts.at(p + 1).script == Script::kana && startsWithAny(viewOf(text, parts.at(p + 1).range), particles);
    if (!particleNext)
        return {};
    for (const QString &surname : japaneseSurnames)
        if (surname.size() >= 2 && run.startsWith(surname) && run.size() <= surname.size() + 2)
            return segment.range;
    return {};
}

// "森本拓海様の予約": in Japanese text the honorific may be a kanji written on
// to the name, so the run's first two to five characters before it are the
// name: a family name and a given name of up to three characters each.
TextRange japaneseNameBeforeKanjiHonorific(const QString &text, QStringView run, qsizetype start)
{
    static const QStringList kanjiHonorifics{u"様"_s, u"殿"_s, u"氏"_s};
    // "担当者様", "会員様", "取引先様": roles and firms are honoured too.
    static const QString roleEndings = u"者員客先"_s;
    const bool japanese = std::any_of(text.cbegin(), text.cend(),
                                      [](QChar c) { return QChar::script(c.unicode()) == QChar::Script_Hiragana; });
    for (qsizetype length = 2; japanese && length <= 5 && length < run.size(); ++length)
        if (kanjiHonorifics.contains(run.sliced(length, 1).toString()))
            return roleEndings.contains(run.at(length - 1)) ? TextRange{} : TextRange{start, start + length};
    return {};
}

// Another Han run elsewhere in the text: a sentence written in Chinese, not a name alone.
bool hasHanNeighbour(const QList<Segment> &parts, qsizetype p)
{
    for (qsizetype i = 0; i < parts.size(); ++i)
        if (i != p && parts.at(i).script == Script::han)
            return true;
    return false;
}

// "劉 德 明": a Chinese name written with a space after each character, as
// business cards and forms print it; gives the index of its last part, or -1.
qsizetype spacedHanCharacters(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    const auto single = [&](qsizetype i) {
        return i >= 0 && i < parts.size() && parts.at(i).script == Script::han && characters(viewOf(text, parts.at(i).range)) == 1;
    };
    const auto spacedAfter = [&](qsizetype i) {
        const QStringView gap = QStringView(text).sliced(parts.at(i).range.end, parts.at(i + 1).range.start - parts.at(i).range.end);
        return gap == u" "_s || gap == u"　"_s;
    };
    if (!single(p) || !chineseSurnames.contains(text.at(parts.at(p).range.start)) || (single(p - 1) && spacedAfter(p - 1)))
        return -1;
    qsizetype last = p;
    while (last - p < 3 && single(last + 1) && spacedAfter(last))
        ++last;
    const qsizetype before = parts.at(p).range.start;
    const bool apart = before == 0 || !text.at(before - 1).isLetter();
    const bool closed = last - p < 3 && (last + 1 >= parts.size() || parts.at(last + 1).range.start > parts.at(last).range.end);
    return last > p && apart && closed ? last : -1;
}

void addHanNames(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    const bool foreignText = mostlyOtherScript(text);
    for (qsizetype p = 0; p < parts.size(); ++p) {
        const Segment &segment = parts.at(p);
        if (segment.script != Script::han)
            continue;
        if (const qsizetype last = spacedHanCharacters(text, parts, p); last > p) {
            names.append({segment.range.start, parts.at(last).range.end});
            p = last;
            continue;
        }
        QStringView run = viewOf(text, segment.range);
        qsizetype start = segment.range.start;
        const QString before = text.first(start).trimmed();
        // "签收人 司马文静": the cue may stand apart from the name; alone it is none.
        if (hanCues.contains(run.toString()))
            continue;
        const bool cueBefore = std::any_of(hanCues.cbegin(), hanCues.cend(),
                                           [&](const QString &cue) { return before.endsWith(cue); });
        // After a bare colon ("投诉：包装破损", "吉岡部長へ：来週の") any phrase may
        // follow, so a name there begins with a family name the lists know.
        const bool colon = before.endsWith(u'：') || before.endsWith(u':');
        // In a Latin-script note, Han words around a name ("口语 6.0") are not names;
        // a name there starts with a known family name, or is a short run on its own.
        const bool lonelyRun = characters(run) <= 4 && !hasHanNeighbour(parts, p);
        const bool foreignName = foreignText && (hanSurnameLength(run) > 0 || lonelyRun);
        bool cued = (colon && hanNameLength(run, false) > 0) || foreignName || cueBefore;
        for (const QString &cue : hanCues) {
            // "担当者様" is the person in charge, unnamed.
            if (run.startsWith(cue) && run.size() > cue.size() && run.at(cue.size()) != u'者') {
                run = run.sliced(cue.size());
                start += cue.size();
                cued = true;
                // "收件人是孙丽华": "is" may stand between the cue and the name.
                if (run.size() > 2 && (run.front() == u'是' || run.front() == u'为')) {
                    run = run.sliced(1);
                    ++start;
                }
            }
        }
        if (const TextRange spaced = spacedJapaneseName(text, parts, p); !spaced.isEmpty()) {
            names.append(spaced);
            ++p;
            continue;
        }
        if (const TextRange honoured = japaneseNameBeforeKanjiHonorific(text, run, start); !honoured.isEmpty()) {
            names.append(honoured);
            continue;
        }
        const bool atStart = before.isEmpty() || !before.back().isLetter();
        // "営業の北川さんに": a short Han run right before an honorific is a
        // family name wherever it stands.
        const bool honourNext = p + 1 < parts.size() && parts.at(p + 1).range.start == segment.range.end
            && parts.at(p + 1).script == Script::kana && startsWithAny(viewOf(text, parts.at(p + 1).range), honorifics);
        if (!cued && honourNext && characters(run) >= 2 && characters(run) <= 3) {
            names.append(segment.range);
            continue;
        }
        if (!cued) {
            const TextRange ranked = rankedJapaneseName(text, segment);
            const TextRange inner = ranked.isEmpty() ? innerHanName(text, segment) : ranked;
            if (!inner.isEmpty()) {
                names.append(inner);
                // "谭先生和伍小姐": a second titled name in the same run.
                for (const TextRange &other : runningHanNames(text, segment, true))
                    if (!other.overlaps(inner))
                        names.append(other);
                continue;
            }
            const TextRange japanese = japaneseNameBeforeParticle(text, parts, p);
            if (!japanese.isEmpty()) {
                names.append(japanese);
                continue;
            }
            const QList<TextRange> running = runningHanNames(text, segment, atStart);
            names.append(running);
            if (!atStart)
                continue;
        }
        // Japanese given names are often written in kana: "伊藤さくら様".
        const bool kanaNameFollows = p + 1 < parts.size() && parts.at(p + 1).script == Script::kana
            && parts.at(p + 1).range.start == segment.range.end;
        if (kanaNameFollows && startsWithAny(run, japaneseSurnames)) {
            QStringView kana = viewOf(text, parts.at(p + 1).range);
            for (const QString &honorific : honorifics)
                if (const qsizetype at = kana.indexOf(honorific); at > 0)
                    kana = kana.first(at);
            const bool honourAfter = p + 2 < parts.size() && parts.at(p + 2).range.start == parts.at(p + 1).range.end
                && startsWithAny(viewOf(text, parts.at(p + 2).range), honorifics);
            // "JLPT results: 高橋ゆい 142": in another script's text the kana end the name.
            const bool alone = foreignText && isHiraganaGivenName(text, parts.at(p + 1).range);
            if ((kana.size() < parts.at(p + 1).range.length() || honourAfter || alone) && run.size() <= 3) {
                names.append({start, parts.at(p + 1).range.start + kana.size()});
                continue;
            }
        }
        const bool honoured = kanaNameFollows && startsWithAny(viewOf(text, parts.at(p + 1).range), honorifics);
        // "久保田紗希さん": a family name of three characters and a given name of two.
        if (honoured && characters(run) == 5) {
            names.append({start, start + run.size()});
            continue;
        }
        const qsizetype length = hanNameLength(run, cued || (honoured && characters(run) <= 4));
        if (length > 0)
            names.append({start, start + unitsOf(run, characters(run.first(length)))});
    }
}

// "김민준에게", "박지훈께서": particles only a person takes. "박지훈이 전화했습니다":
// a subject particle before what only a person does.
QStringView koreanNameStem(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const QStringList personParticles{u"에게"_s, u"한테"_s, u"께서"_s};
    static const QStringList subjectParticles{u"이"_s, u"가"_s, u"은"_s, u"는"_s};
    static const QStringList personVerbs{u"전화"_s, u"말했"_s, u"연락"_s, u"방문했"_s};
    const QStringView word = viewOf(text, parts.at(p).range);
    if (word.size() < 4 || word.size() > 5 || word.first(3).endsWith(u'님'))
        return word;
    const QStringView particle = word.sliced(3);
    const bool verbNext = p + 1 < parts.size() && parts.at(p + 1).script == Script::hangul
        && startsWithAny(viewOf(text, parts.at(p + 1).range), personVerbs);
    if (personParticles.contains(particle) || (verbNext && subjectParticles.contains(particle)))
        return word.first(3);
    return word;
}

// "신 전도사님", "박목사님": a family name alone before an office, spaced or
// written on. "전" and "현" before an office mean "former" and "present".
TextRange koreanFamilyNameBeforeOffice(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    const QStringView word = viewOf(text, parts.at(p).range);
    if (word.isEmpty() || !koreanSurnames.contains(word.front()) || word.front() == u'전' || word.front() == u'현')
        return {};
    const TextRange family{parts.at(p).range.start, parts.at(p).range.start + 1};
    if (word.size() > 2 && startsWithAny(word.sliced(1), koreanOffices) && !koreanRoleWords.contains(word.first(3).toString()))
        return family;
    const bool spacedOffice = word.size() == 1 && p + 1 < parts.size() && parts.at(p + 1).script == Script::hangul
        && text.mid(parts.at(p).range.end, parts.at(p + 1).range.start - parts.at(p).range.end) == u" "_s
        && startsWithAny(viewOf(text, parts.at(p + 1).range), koreanOffices);
    return spacedOffice ? family : TextRange{};
}

// "지훈 씨 내일 휴무": "씨" set apart after a word of two syllables follows a
// given name used alone; "씨앗" (seed) and the like only begin with it.
bool isKoreanGivenNameBeforeSsi(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet ssi{u"씨"_s, u"씨가"_s, u"씨는"_s, u"씨도"_s, u"씨를"_s, u"씨의"_s, u"씨께"_s,
                             u"씨에게"_s, u"씨한테"_s, u"씨랑"_s, u"씨와"_s, u"씨하고"_s};
    const QStringView word = viewOf(text, parts.at(p).range);
    return word.size() == 2 && !startsWithAny(word, koreanTitles) && p + 1 < parts.size()
        && parts.at(p + 1).script == Script::hangul
        && text.mid(parts.at(p).range.end, parts.at(p + 1).range.start - parts.at(p).range.end) == u" "_s
        && ssi.contains(parts.at(p + 1).range.of(text));
}

void addHangulNames(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    // "남궁수아", "황보지훈": a family name of two syllables before a given name of two;
    // the rarest are no word's start, the others need a cue.
    static const QStringList rareCompoundSurnames{u"남궁"_s, u"황보"_s, u"제갈"_s, u"독고"_s};
    static const QStringList compoundSurnames{u"남궁"_s, u"황보"_s, u"제갈"_s, u"독고"_s, u"선우"_s, u"사공"_s, u"서문"_s};
    const bool foreignText = mostlyOtherScript(text);
    for (qsizetype p = 0; p < parts.size(); ++p) {
        const Segment &segment = parts.at(p);
        if (segment.script != Script::hangul)
            continue;
        if (const TextRange alone = koreanFamilyNameBeforeOffice(text, parts, p); !alone.isEmpty()) {
            names.append(alone);
            continue;
        }
        if (isKoreanGivenNameBeforeSsi(text, parts, p)) {
            names.append(segment.range);
            continue;
        }
        QStringView word = koreanNameStem(text, parts, p);
        for (const QString &honorific : honorifics)
            if (word.size() > 3 && word.endsWith(honorific))
                word.chop(honorific.size());
        if (koreanRoleWords.contains(word.toString()))
            continue;
        if (word.size() < 2 || word.size() > 4
            || (!koreanSurnames.contains(word.at(0)) && !startsWithAny(word, compoundSurnames)))
            continue;
        // "서울시", "강남구": cities, districts and streets end in these.
        static const QString placeEndings = u"시구군동로길읍면도"_s;
        if (word.size() == 3 && segment.range.length() == 3 && placeEndings.contains(word.back()))
            continue;
        const QString before = text.first(segment.range.start).trimmed();
        // "팀장 한상철": an office may stand before the name as well as after it.
        const bool officeBefore = p > 0 && parts.at(p - 1).script == Script::hangul
            && koreanOffices.contains(parts.at(p - 1).range.of(text));
        const bool cued = before.endsWith(u':') || foreignText || officeBefore
            || std::any_of(koreanCues.cbegin(), koreanCues.cend(), [&](const QString &cue) { return before.endsWith(cue); });
        const bool titled = p + 1 < parts.size() && parts.at(p + 1).script == Script::hangul
            && startsWithAny(viewOf(text, parts.at(p + 1).range), koreanTitles);
        const bool compound = word.size() == 4
            && (startsWithAny(word, rareCompoundSurnames) || ((cued || titled) && startsWithAny(word, compoundSurnames)));
        if (((cued || titled || segment.range.length() > word.size()) && word.size() == 3) || compound)
            names.append({segment.range.start, segment.range.start + word.size()});
    }
}

// "فاطمة الزهراء بن علي": "son of" / "daughter of" and the father's name, and
// further family names with the article, carry an Arabic name on. Gives the
// index of the name's last segment.
qsizetype addArabicLineage(const QString &text, const QList<Segment> &parts, qsizetype p, TextRange &range)
{
    static const QStringList lineage{u"بن"_s, u"بنت"_s, u"ابن"_s, u"أبو"_s, u"ابو"_s};
    const auto spacedAfter = [&](qsizetype i) {
        return i < parts.size() && parts.at(i).script == Script::arabic
            && text.mid(parts.at(i - 1).range.end, parts.at(i).range.start - parts.at(i - 1).range.end).trimmed().isEmpty();
    };
    while (spacedAfter(p + 1)) {
        const QString word = parts.at(p + 1).range.of(text);
        if (lineage.contains(word) && spacedAfter(p + 2)) {
            range.end = parts.at(p + 2).range.end;
            p += 2;
        } else if (word.startsWith(u"ال"_s) && word.size() > 3 && !arabicCommonNouns.contains(word)) {
            range.end = parts.at(p + 1).range.end;
            ++p;
        } else {
            break;
        }
    }
    return p;
}

// Spaced scripts: a known given name, with the word after it when that is a
// family name (Arabic family names often start with the article "ال").
// More letters of the Latin alphabet than of any other: a note in English or
// another European language that writes a name in the person's own script.
bool mostlyLatin(const QString &text)
{
    qsizetype latin = 0, other = 0;
    for (QChar c : text)
        if (c.isLetter())
            ++(c.unicode() < 0x250 ? latin : other);
    return latin > other;
}

// "Booked by ยุพา", "Message from דניאל": in a Latin-script note, a word of
// another script after a word that people's names follow.
bool isAfterLatinLead(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet leads{u"by"_s, u"to"_s, u"from"_s, u"for"_s, u"call"_s, u"ask"_s, u"tell"_s, u"with"_s,
                               u"cc"_s, u"attn"_s, u"contact"_s, u"guest"_s, u"customer"_s, u"client"_s, u"mr"_s,
                               u"mrs"_s, u"ms"_s, u"dr"_s, u"khun"_s, u"k"_s, u"pastor"_s, u"rabbi"_s, u"imam"_s,
                               u"patient"_s, u"tenant"_s, u"driver"_s};
    if (parts.at(p).script == Script::han || parts.at(p).script == Script::kana || parts.at(p).script == Script::hangul)
        return false;
    qsizetype end = parts.at(p).range.start;
    while (end > 0 && (text.at(end - 1) == u' ' || text.at(end - 1) == u'.' || text.at(end - 1) == u':'))
        --end;
    qsizetype start = end;
    while (start > 0 && text.at(start - 1).isLetter() && text.at(start - 1).unicode() < 0x250)
        --start;
    return start < end && (start == 0 || !text.at(start - 1).isLetter()) && leads.contains(text.mid(start, end - start).toLower())
        && end < parts.at(p).range.start && mostlyLatin(text);
}

// "प्रिया नायर joined the Pune team": in a Latin-script note, exactly two
// words of a spaced script side by side are a given name and a family name.
bool isPairInLatinText(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    const auto sameScriptWord = [&](qsizetype i) {
        return i >= 0 && i < parts.size() && parts.at(i).script == parts.at(p).script
            && parts.at(i).script != Script::han && parts.at(i).script != Script::kana
            && parts.at(i).script != Script::hangul;
    };
    const auto spacedFrom = [&](qsizetype i) {
        return text.mid(parts.at(i).range.end, parts.at(i + 1).range.start - parts.at(i).range.end) == u" "_s;
    };
    return sameScriptWord(p) && sameScriptWord(p + 1) && spacedFrom(p)
        && !(sameScriptWord(p - 1) && spacedFrom(p - 1)) && !(sameScriptWord(p + 2) && spacedFrom(p + 1))
        && mostlyLatin(text);
}

// "सुरेखा नामदेव पवार जी", "श्री अमोल पाटिल": the words after "Shri" or before
// the respectful "ji", up to three, stopping at the sentence's small words.
void addDevanagariHonoured(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    static const WordSet before{u"श्री"_s, u"श्रीमती"_s, u"सुश्री"_s, u"डॉ"_s, u"डॉ."_s};
    static const WordSet stops{u"का"_s, u"की"_s, u"के"_s, u"को"_s, u"ने"_s, u"से"_s, u"में"_s, u"पर"_s,
                                     u"और"_s, u"है"_s, u"हैं"_s, u"था"_s, u"थी"_s, u"कल"_s, u"आज"_s, u"भी"_s,
                                     u"यह"_s, u"वह"_s, u"नई"_s, u"नए"_s, u"नया"_s, u"कर्मचारी"_s, u"ग्राहक"_s};
    const auto word = [&](qsizetype i) { return parts.at(i).range.of(text); };
    const auto isNameWord = [&](qsizetype i) {
        return i >= 0 && i < parts.size() && parts.at(i).script == Script::devanagari && !stops.contains(word(i))
            && !before.contains(word(i)) && word(i) != u"जी"_s;
    };
    const auto spaced = [&](qsizetype left) {
        return text.mid(parts.at(left).range.end, parts.at(left + 1).range.start - parts.at(left).range.end) == u" "_s;
    };
    // "डॉ. मेहता": the full stop of "Dr." stands in the gap.
    const auto abbreviated = [&](qsizetype left) {
        return text.mid(parts.at(left).range.end, parts.at(left + 1).range.start - parts.at(left).range.end) == u". "_s;
    };
    for (qsizetype p = 0; p < parts.size(); ++p) {
        if (parts.at(p).script != Script::devanagari)
            continue;
        if (word(p) == u"जी"_s && p > 0 && isNameWord(p - 1) && spaced(p - 1)) {
            qsizetype first = p - 1;
            while (first > 0 && p - first < 3 && isNameWord(first - 1) && spaced(first - 1))
                --first;
            names.append({parts.at(first).range.start, parts.at(p - 1).range.end});
        } else if (before.contains(word(p)) && isNameWord(p + 1) && (spaced(p) || abbreviated(p))) {
            qsizetype last = p + 1;
            if (isNameWord(last + 1) && spaced(last))
                ++last;
            names.append({parts.at(p + 1).range.start, parts.at(last).range.end});
            p = last;
        }
    }
}

// "अनुपमा देसाई ने ऑर्डर रद्द किया": "ने" marks who did a thing, and two words
// before it that open the sentence are a given name and a surname; groups
// and offices that act so are listed, and a single word may be either.
void addDevanagariAgents(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    static const WordSet groups{u"टीम"_s, u"विभाग"_s, u"कंपनी"_s, u"बैंक"_s, u"प्रबंधन"_s, u"ग्राहक"_s,
                                      u"सरकार"_s, u"कार्यालय"_s, u"दफ्तर"_s, u"स्टाफ"_s, u"सेवा"_s, u"सहायता"_s,
                                      u"बिक्री"_s, u"लेखा"_s, u"अधिकारी"_s, u"मैनेजर"_s, u"प्रबंधक"_s, u"कर्मचारी"_s,
                                      u"विक्रेता"_s, u"सप्लायर"_s, u"डिलीवरी"_s, u"कूरियर"_s, u"दुकान"_s, u"मकान"_s,
                                      u"मालिक"_s, u"किरायेदार"_s, u"पुलिस"_s, u"अदालत"_s, u"समिति"_s, u"बोर्ड"_s,
                                      u"हमारी"_s, u"हमारे"_s, u"आपकी"_s, u"आपके"_s, u"उनकी"_s, u"उनके"_s, u"इस"_s, u"उस"_s, u"जी"_s};
    const auto word = [&](qsizetype i) { return parts.at(i).range.of(text); };
    const auto spaced = [&](qsizetype left) {
        return text.mid(parts.at(left).range.end, parts.at(left + 1).range.start - parts.at(left).range.end) == u" "_s;
    };
    const auto isNameWord = [&](qsizetype i) {
        return parts.at(i).script == Script::devanagari && !groups.contains(word(i)) && word(i).size() >= 2;
    };
    for (qsizetype p = 2; p < parts.size(); ++p) {
        if (parts.at(p).script != Script::devanagari || word(p) != u"ने"_s || !spaced(p - 1) || !spaced(p - 2)
            || !isNameWord(p - 1) || !isNameWord(p - 2))
            continue;
        const qsizetype gapStart = p > 2 ? parts.at(p - 3).range.end : 0;
        const QStringView before = QStringView(text).sliced(gapStart, parts.at(p - 2).range.start - gapStart).trimmed();
        const bool opens = p == 2 ? before.isEmpty() : !before.isEmpty() && QStringView(u"।.,;:!?-—–\n"_s).contains(before.back());
        const TextRange name{parts.at(p - 2).range.start, parts.at(p - 1).range.end};
        if (opens && std::none_of(names.cbegin(), names.cend(), [&](const TextRange &r) { return r.overlaps(name); }))
            names.append(name);
    }
}

// "السيد كمال", "السيدة رنا": a word after "Mr", "Mrs", "Dr" is a given name,
// unless it carries the article, as an office does ("السيد الرئيس").
bool isAfterArabicTitle(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet titles{u"السيد"_s, u"السيدة"_s, u"الأستاذ"_s, u"الأستاذة"_s, u"الدكتور"_s, u"الدكتورة"_s,
                                u"العميل"_s, u"العميلة"_s, u"الزبون"_s, u"الزبونة"_s, u"المريض"_s, u"المريضة"_s,
                                u"الموظف"_s, u"الموظفة"_s, u"المهندس"_s, u"المهندسة"_s, u"الطالب"_s, u"الطالبة"_s,
                                u"السائق"_s, u"الأخ"_s, u"الأخت"_s, u"الحاج"_s, u"الحاجة"_s};
    // "مع الشكر، سامي": the name that signs a note after its thanks or greetings.
    static const QStringList closings{u"مع الشكر"_s, u"مع تحياتي"_s, u"تحياتي"_s, u"شكراً"_s, u"شكرا"_s, u"مع التحية"_s};
    if (p == 0 || parts.at(p - 1).script != Script::arabic || parts.at(p).range.of(text).startsWith(u"ال"_s))
        return false;
    const QString gap = text.mid(parts.at(p - 1).range.end, parts.at(p).range.start - parts.at(p - 1).range.end);
    const QString before = text.first(parts.at(p - 1).range.end);
    const bool signs = (gap == u"، "_s || gap == u", "_s)
        && std::any_of(closings.cbegin(), closings.cend(), [&](const QString &c) { return before.endsWith(c); });
    return signs || (gap == u" "_s && titles.contains(parts.at(p - 1).range.of(text)));
}

// "हमने अनुराधा कुलकर्णी को": any word spaced before a known family name is
// the given name, unless it is one of the sentence's small words or a title.
bool isBeforeDevanagariSurname(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet notGiven{u"का"_s, u"की"_s, u"के"_s, u"को"_s, u"ने"_s, u"से"_s, u"में"_s, u"पर"_s,
                                        u"और"_s, u"है"_s, u"श्री"_s, u"श्रीमती"_s, u"डॉ"_s, u"जी"_s, u"हमने"_s};
    if (p + 1 >= parts.size() || parts.at(p + 1).script != Script::devanagari)
        return false;
    const QString gap = text.mid(parts.at(p).range.end, parts.at(p + 1).range.start - parts.at(p).range.end);
    return gap == u" "_s && devanagariSurnames.contains(parts.at(p + 1).range.of(text))
        && !notGiven.contains(parts.at(p).range.of(text)) && !devanagariSurnames.contains(parts.at(p).range.of(text));
}

// "นางสาวสุภาพร แก้วมณี": Mr, Mrs or Miss written on to a given name, which a
// family name follows after a space; words that begin so ("นายจ้าง",
// employer, "นางพยาบาล", nurse) are left alone. Gives the title's length, or 0.
qsizetype thaiTitleWrittenOn(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const QStringList titles{u"นางสาว"_s, u"นาย"_s, u"นาง"_s, u"ด.ช."_s, u"ด.ญ."_s};
    static const QStringList titleWords{u"นายก"_s, u"นายจ้าง"_s, u"นายหน้า"_s, u"นายทะเบียน"_s, u"นายช่าง"_s,
                                        u"นายอำเภอ"_s, u"นายพล"_s, u"นายร้อย"_s, u"นายสถานี"_s, u"นายท่า"_s,
                                        u"นางแบบ"_s, u"นางพยาบาล"_s, u"นางฟ้า"_s, u"นางงาม"_s, u"นางเอก"_s};
    const QString word = parts.at(p).range.of(text);
    const bool familyNext = p + 1 < parts.size() && parts.at(p + 1).script == Script::thai
        && text.mid(parts.at(p).range.end, parts.at(p + 1).range.start - parts.at(p).range.end) == u" "_s;
    if (startsWithAny(word, titleWords))
        return 0;
    for (const QString &title : titles)
        if (word.size() > title.size() + 1 && word.startsWith(title))
            return familyNext || thaiGivenNames.contains(word.sliced(title.size())) ? title.size() : 0;
    return 0;
}

// "ลูกค้า วิภา แสงทอง", "คุณวิภา แสงทอง": a Thai given name after a title or
// "customer" spaced before it, or after "คุณ" written onto it; words that
// only begin like it ("คุณภาพ", quality) are left alone.
bool isThaiHonoured(const QString &text, const QList<Segment> &parts, qsizetype p, TextRange &range)
{
    static const WordSet titles{u"คุณ"_s, u"นาย"_s, u"นาง"_s, u"นางสาว"_s, u"ลูกค้า"_s};
    static const WordSet khunWords{u"คุณภาพ"_s, u"คุณสมบัติ"_s, u"คุณค่า"_s, u"คุณธรรม"_s, u"คุณประโยชน์"_s,
                                   u"คุณูปการ"_s, u"คุณครู"_s, u"คุณแม่"_s, u"คุณพ่อ"_s};
    const QString word = parts.at(p).range.of(text);
    const QString khun = u"คุณ"_s;
    if (word.size() > khun.size() + 1 && word.startsWith(khun) && !khunWords.contains(word)) {
        range.start += khun.size();
        // "คุณสมชายและคุณสมศรี": a known name ends where the run goes on.
        for (qsizetype length = qMin<qsizetype>(range.length(), 12); length >= 3; --length)
            if (thaiGivenNames.contains(text.mid(range.start, length))) {
                range.end = range.start + length;
                break;
            }
        return true;
    }
    if (const qsizetype title = thaiTitleWrittenOn(text, parts, p); title > 0) {
        range.start += title;
        return true;
    }
    // "ฝากข้อความถึงคุณมาลีว่า": Thai runs its words together, so a known
    // given name after "คุณ" may stand anywhere in the run.
    for (qsizetype at = word.indexOf(khun); at > 0; at = word.indexOf(khun, at + 1)) {
        const QStringView rest = QStringView(word).sliced(at + khun.size());
        for (qsizetype length = qMin<qsizetype>(rest.size(), 12); length >= 3; --length)
            if (thaiGivenNames.contains(rest.first(length).toString())) {
                range = {parts.at(p).range.start + at + khun.size(), parts.at(p).range.start + at + khun.size() + length};
                return true;
            }
    }
    if (p == 0 || parts.at(p - 1).script != Script::thai)
        return false;
    const QString gap = text.mid(parts.at(p - 1).range.end, parts.at(p).range.start - parts.at(p - 1).range.end);
    // "ลูกค้าชื่อ ปวีณา": the word before ends in "named".
    const bool named = parts.at(p - 1).range.of(text).endsWith(u"ชื่อ"_s);
    return gap == u" "_s && (titles.contains(parts.at(p - 1).range.of(text)) || named) && !titles.contains(word);
}

// "מר אבנר גולן", "הגב' תמר אלון", "הלקוח דוד לוי": a Hebrew given name
// after a title or "customer" or "volunteer"; the title's abbreviation mark
// stands in the gap.
bool isAfterHebrewTitle(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet titles{u"מר"_s, u"גב"_s, u"הגב"_s, u"גברת"_s, u"הגברת"_s, u"פרופ"_s, u"הרב"_s,
                                u"לקוח"_s, u"לקוחה"_s, u"הלקוח"_s, u"הלקוחה"_s, u"מתנדב"_s, u"מתנדבת"_s,
                                u"המתנדב"_s, u"המתנדבת"_s, u"המטופל"_s, u"המטופלת"_s};
    if (p == 0 || parts.at(p - 1).script != Script::hebrew)
        return false;
    const QString gap = text.mid(parts.at(p - 1).range.end, parts.at(p).range.start - parts.at(p - 1).range.end);
    const bool spaced = gap == u" "_s || gap == u"' "_s || gap == u"\u05F3 "_s;
    return spaced && titles.contains(parts.at(p - 1).range.of(text)) && !titles.contains(parts.at(p).range.of(text));
}

// "נדב ביקש", "คุณวีระ มาถึงแล้ว": Hebrew and Thai family names follow the
// given name after a space, but so do what the person did and the sentence's
// small words.
bool isSentenceWordAfterName(const QString &word)
{
    static const WordSet hebrew{
        u"התקשר"_s, u"התקשרה"_s, u"ביקש"_s, u"ביקשה"_s, u"הגיע"_s, u"הגיעה"_s, u"שלח"_s, u"שלחה"_s, u"אמר"_s,
        u"אמרה"_s, u"רוצה"_s, u"צריך"_s, u"צריכה"_s, u"יש"_s, u"אין"_s, u"לא"_s, u"עם"_s, u"של"_s, u"גם"_s,
        u"כבר"_s, u"מבקש"_s, u"מבקשת"_s, u"מדווח"_s, u"מדווחת"_s, u"שילם"_s, u"שילמה"_s, u"עזב"_s, u"עזבה"_s,
        u"קיבל"_s, u"קיבלה"_s, u"פנה"_s, u"פנתה"_s, u"ביטל"_s, u"ביטלה"_s, u"מחכה"_s, u"חזר"_s, u"חזרה"_s,
        u"אישר"_s, u"אישרה"_s, u"כתב"_s, u"כתבה"_s, u"התלונן"_s, u"התלוננה"_s, u"הזמין"_s, u"הזמינה"_s, u"היה"_s,
        u"הייתה"_s, u"יגיע"_s, u"תגיע"_s, u"מ"_s, u"על"_s, u"אצל"_s};
    static const QStringList thai{u"มาถึง"_s, u"มารับ"_s, u"มาแล้ว"_s, u"แล้ว"_s, u"ได้"_s, u"จะ"_s, u"ขอ"_s,
                                  u"โทร"_s, u"ห้อง"_s, u"ที่"_s, u"และ"_s, u"กับ"_s, u"ค่ะ"_s, u"ครับ"_s,
                                  u"เช็ค"_s, u"แจ้ง"_s, u"ต้องการ"_s, u"ยืนยัน"_s, u"ยกเลิก"_s, u"จอง"_s,
                                  u"รอ"_s, u"อยู่"_s, u"ผู้"_s, u"แผนก"_s, u"ฝ่าย"_s, u"พนักงาน"_s, u"ลูกค้า"_s,
                                  u"เบอร์"_s, u"วันที่"_s, u"เข้าพัก"_s, u"ชำระ"_s, u"โอน"_s, u"จ่าย"_s, u"ยัง"_s,
                                  u"ไม่"_s, u"ติดต่อ"_s, u"สั่ง"_s, u"นัด"_s, u"มี"_s};
    return hebrew.contains(word) || startsWithAny(word, thai);
}

// "شارع الملك فهد", "مستشفى الملك فيصل", "חברת אלון", "विजय नगर": a street,
// a hospital, a firm or a district named after someone, and "رمضان كريم", a greeting.
bool isNamesake(const QString &text, const QList<Segment> &parts, qsizetype p)
{
    static const WordSet placesBefore{
        u"شارع"_s, u"مستشفى"_s, u"جامعة"_s, u"مسجد"_s, u"مدرسة"_s, u"طريق"_s, u"حي"_s, u"ميدان"_s, u"مركز"_s,
        u"مجمع"_s, u"شركة"_s, u"مطعم"_s, u"فندق"_s, u"مؤسسة"_s, u"رمضان"_s, u"רחוב"_s, u"חברת"_s, u"מסעדת"_s,
        u"מלון"_s, u"שדרות"_s, u"כיכר"_s, u"קניון"_s, u"בית"_s};
    static const WordSet royals{u"الملك"_s, u"الأمير"_s, u"الأميرة"_s, u"الإمام"_s, u"الشيخ"_s, u"السلطان"_s};
    static const WordSet placesAfter{u"नगर"_s, u"मार्ग"_s, u"चौक"_s, u"कॉलोनी"_s, u"विहार"_s, u"रोड"_s, u"बाजार"_s,
                                     u"बाज़ार"_s, u"गंज"_s, u"पार्क"_s, u"स्वीट्स"_s, u"ट्रेडर्स"_s};
    const auto sameScript = [&](qsizetype i) { return i >= 0 && i < parts.size() && parts.at(i).script == parts.at(p).script; };
    qsizetype before = p - 1;
    if (sameScript(before) && royals.contains(parts.at(before).range.of(text)))
        --before;
    return (sameScript(before) && placesBefore.contains(parts.at(before).range.of(text)))
        || (sameScript(p + 1) && placesAfter.contains(parts.at(p + 1).range.of(text)));
}

void addSpacedNames(const QString &text, const QList<Segment> &parts, QList<TextRange> &names)
{
    static const QStringList arabicPrefixes{u"بـ"_s, u"لـ"_s, u"و"_s, u"ب"_s, u"ل"_s};
    for (qsizetype p = 0; p < parts.size(); ++p) {
        const Segment &segment = parts.at(p);
        const QString word = segment.range.of(text);
        TextRange range = segment.range;
        bool given = false;
        const WordSet *surnames = nullptr;
        switch (segment.script) {
        case Script::arabic:
            given = arabicGivenNames.contains(word) || isAfterArabicTitle(text, parts, p);
            for (qsizetype i = 0; !given && i < arabicPrefixes.size(); ++i)
                if (word.startsWith(arabicPrefixes.at(i)) && arabicGivenNames.contains(word.sliced(arabicPrefixes.at(i).size()))) {
                    given = true;
                    range.start += arabicPrefixes.at(i).size();
                }
            surnames = &arabicSurnames;
            break;
        case Script::devanagari:
            given = devanagariGivenNames.contains(word) || isBeforeDevanagariSurname(text, parts, p);
            surnames = &devanagariSurnames;
            break;
        case Script::thai: given = thaiGivenNames.contains(word) || isThaiHonoured(text, parts, p, range); break;
        case Script::hebrew:
            given = hebrewGivenNames.contains(word) || isAfterHebrewTitle(text, parts, p);
            // "לדנה", "ויוסי": "to", "and", "that", "from" and "in" are written on to the word.
            if (!given && word.size() >= 4 && QStringView(u"לושמב"_s).contains(word.front())
                && hebrewGivenNames.contains(word.sliced(1))) {
                given = true;
                range.start += 1;
            }
            break;
        default: break;
        }
        given = given || isAfterLatinLead(text, parts, p);
        if (isPairInLatinText(text, parts, p)) {
            names.append({range.start, parts.at(p + 1).range.end});
            ++p;
            continue;
        }
        if (!given || isNamesake(text, parts, p))
            continue;
        if (p + 1 < parts.size() && parts.at(p + 1).script == segment.script) {
            const Segment &next = parts.at(p + 1);
            const QString nextWord = next.range.of(text);
            const bool spaced = text.mid(range.end, next.range.start - range.end).trimmed().isEmpty();
            const bool family = ((segment.script == Script::thai || segment.script == Script::hebrew) && !isSentenceWordAfterName(nextWord))
                || (surnames && surnames->contains(nextWord))
                || (segment.script == Script::arabic && nextWord.startsWith(u"ال"_s) && !arabicCommonNouns.contains(nextWord));
            if (spaced && family) {
                range.end = next.range.end;
                ++p;
            }
        }
        if (segment.script == Script::arabic)
            p = addArabicLineage(text, parts, p, range);
        names.append(range);
    }
}

// "松本 あかり（まつもと あかり）": a name's reading in kana, in brackets
// straight after it, is the same name.
void addKanaReadings(const QString &text, QList<TextRange> &names)
{
    const auto isKana = [](QChar c) {
        return QChar::script(c.unicode()) == QChar::Script_Hiragana || QChar::script(c.unicode()) == QChar::Script_Katakana
            || c == u'ー' || c == u' ' || c == u'　' || c == u'・';
    };
    const qsizetype found = names.size();
    for (qsizetype i = 0; i < found; ++i) {
        const qsizetype open = names.at(i).end;
        if (open >= text.size() || (text.at(open) != u'（' && text.at(open) != u'('))
            continue;
        qsizetype close = open + 1;
        while (close < text.size() && close - open <= 16 && isKana(text.at(close)))
            ++close;
        const bool closed = close < text.size() && (text.at(close) == u'）' || text.at(close) == u')');
        if (closed && close - open >= 3 && !text.at(open + 1).isSpace() && !text.at(close - 1).isSpace())
            names.append({open + 1, close});
    }
}

} // namespace

QList<TextRange> ScriptNameFinder::names(const QString &text)
{
    QList<TextRange> result;
    // Latin, Greek and Cyrillic text, the most of it, has nothing for this finder.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x0590; }))
        return result;
    const QList<Segment> parts = segments(text);
    const bool any = std::any_of(parts.cbegin(), parts.cend(), [](const Segment &s) { return s.script != Script::other; });
    if (!any)
        return result;
    addHanNames(text, parts, result);
    addHangulNames(text, parts, result);
    addKatakanaNames(text, parts, result);
    addHiraganaNames(text, parts, result);
    addDevanagariHonoured(text, parts, result);
    addDevanagariAgents(text, parts, result);
    // The honoured names go first, so that a known given name inside one adds nothing.
    QList<TextRange> spaced;
    addSpacedNames(text, parts, spaced);
    for (const TextRange &range : std::as_const(spaced))
        if (std::none_of(result.cbegin(), result.cend(), [&](const TextRange &r) { return r.overlaps(range); }))
            result.append(range);
    addKanaReadings(text, result);
    return result;
}

} // namespace quorvane
