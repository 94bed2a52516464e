#!/usr/bin/env python3
"""Writes the sample volume (content/) in darvo-pack's source format.

The sample volume stands in for the real text: 346 lessons (odd: articles,
even: the commentary on the article before) and the index, with the shape of
the shipped volume (record kinds, counts and sizes), made of real Hebrew words
in varied sentences. The output depends on nothing but this file: run it again
and the same bytes come out.

    tools/gen-content/gen_content.py [OUT_DIR]    (default: content/)

With --fixture it writes instead the small test volume (default:
tests/fixtures/volume/): lessons 1 to 6 and the index use the parts of the
format the sample volume leaves out (rules of each width kind, hanging words,
indents, continuations, a subtitle, left-to-right text, empty records, escapes);
every other lesson is a title and one short paragraph.
"""
import os
import sys

LESSONS = 346

# Everyday words of a classical commentary, final letter forms included.
WORDS = """
אדם אמר אמרו אבל אין אלא אם אשר את אותו אותה אחר אחד אחת ארץ בית בן בני בו בה בזה
ביום ברכה גדול גדולה גם דבר דברי דרך דרכי הוא היא היה היו הכל הלכה זה זאת זמן חכמים
חכמה חסד טוב טובה יום ידע יש ישראל כי כל כמו כן כך לא לב לו לה לכן לפני מה מי מן
משה מצוה מצות נפש נאמר עולם עם על עד עוד עת פי צדיק צדיקים קדוש קדושה ראה רוח שלום
שם שמים תורה תפלה תשובה אמת אהבה יראה שמחה עבודה מעשה מעשים ענין טעם סוד שכל דעת
בינה כח כחות אור ארבע שלש שבע ראשון שני שלישי בעולם הזה הבא כדי אלו אלה בשביל לפי
שאין שהוא שהיא אך רק ממש מאד תמיד לעולם כאשר לומר לעשות לדעת ללמוד לשמור לקיים ידוע
נראה מבואר מובן כתב כתוב שנאמר אומר עושה הולך יושב עומד נמצא נקרא צריך יכול רוצה נשמה
גוף חיים מקום שער לשון פסוק מדרש משנה פירוש קושיא שאלה תירוץ סוף ראש תחלה אחרית לבו
בלבו בפיו בידו ביותר יותר פחות רבים מעט גדולים קטן קטנים שלם שלימות חלק חלקים מדה מדות
האדם העולם התורה המצוה הדבר הענין הלב הנפש השכל הדעת האמת הטוב הרע יצר היצר ברא בורא
בריאה נברא נבראו דור דורות אבות אבותינו בנים אב אם שבת חג מועד ימים שנה שנים לילה בקר
ערב עשה עשו שמע שמעו למד למדו ישב הלך בא באו יצא יצאו עלה ירד נתן נתנו לקח קבל קבלו
מלך מלכות עבד עבדים כבוד גבורה תפארת נצח הוד יסוד חן רחמים דין משפט צדקה שלו שלה שלהם
בהם להם מהם עליו עליה עליהם אליו אליה אצל בין תחת בתוך לפנים למעלה למטה כנגד מפני
""".split()

OPENER_PHRASES = ["והנה", "ולכן", "ועוד", "אמנם", "ונראה", "וזהו", "וזה", "ואם", "וכל", "ובזה",
                  "ולפי זה", "אבל", "ומה שאמרו", "ויש לומר", "והענין הוא", "ודע כי", "וכבר ביארנו",
                  "ועל כן", "ומזה נבין", "והטעם"]
ABBREVIATIONS = ['חז"ל', 'רז"ל', 'ז"ל', 'הנ"ל', 'ע"ש', 'רש"י', 'ע"כ', 'א"כ', 'כ"ש', 'ב"ה',
                 'וכו\'', 'ג\'', 'ד\'', 'ז\'', 'עי\'']
SOURCES = ["בראשית", "שמות", "ויקרא", "במדבר", "דברים", "תהלים", "משלי", "ישעיה", "ירמיה",
           "ברכות", "שבת", "פסחים", "אבות", "סנהדרין"]


class Random:
    """A small xorshift generator, so the output never depends on Python's own."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def below(self, n):
        return self.next() % n

    def between(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def pick(self, items):
        return items[self.below(len(items))]

    def chance(self, percent):
        return self.below(100) < percent


def numeral(n):
    """Hebrew numeral letters for 1..999 (15 and 16 written as 9+6 and 9+7)."""
    hundreds = ["", "ק", "ר", "ש", "ת", "תק", "תר", "תש", "תת", "תתק"]
    tens = ["", "י", "כ", "ל", "מ", "נ", "ס", "ע", "פ", "צ"]
    units = ["", "א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט"]
    rest = n % 100
    if rest == 15:
        low = "טו"
    elif rest == 16:
        low = "טז"
    else:
        low = tens[rest // 10] + units[rest % 10]
    return hundreds[n // 100] + low


def words(rnd, lo, hi):
    return " ".join(rnd.pick(WORDS) for _ in range(rnd.between(lo, hi)))


def sentence(rnd):
    parts = []
    if rnd.chance(40):
        parts.append(rnd.pick(OPENER_PHRASES))
    parts.append(words(rnd, 3, 9))
    kind = rnd.below(10)
    if kind == 0:
        parts.append('שנאמר "' + words(rnd, 3, 6) + '"')
    elif kind == 1:
        parts.append("(" + rnd.pick(SOURCES) + " " + numeral(rnd.between(1, 150)) + ")")
    elif kind == 2:
        parts.append("[" + words(rnd, 2, 5) + "]")
    elif kind == 3:
        parts.append("כמו שאמרו " + rnd.pick(ABBREVIATIONS))
    elif kind == 4:
        parts.append(words(rnd, 1, 3) + " " + rnd.pick(ABBREVIATIONS))
    if rnd.chance(50):
        parts.append(words(rnd, 2, 6))
    return " ".join(parts) + "."


def paragraph(rnd, target, last_colon=True):
    """Sentences until the text reaches target letters (at most ~90 over)."""
    text = sentence(rnd)
    while len(text) < target:
        text += " " + sentence(rnd)
    if last_colon and rnd.chance(30):
        text = text[:-1] + ":"
    return text


def lemma(rnd):
    """The opening words of the passage a commentary paragraph explains."""
    return words(rnd, 2, 4)


def index_names(article):
    """Group and entry number of an article in the index (groups of 20,20,19,...)."""
    sizes = [20, 20, 19, 19, 19, 19, 19, 19, 19]
    left = article
    for group, size in enumerate(sizes):
        if left <= size:
            return group + 1, left
        left -= size
    raise ValueError(article)


def record(style, text):
    return "%02X 00|%s\n" % (style, text)


def doc_size(records):
    # StyleByte, parameter, letters (one byte each), zero; then the end record.
    return sum(2 + len(text) + 1 for _, text in records) + 3


def article(lesson, rnd):
    number = (lesson + 1) // 2
    group, entry = index_names(number)
    records = [(0xDC, "שער " + numeral(group) + " פרק " + numeral(entry))]
    if lesson == 7:  # the longest paragraph of the volume
        records.append((0xB1, paragraph(rnd, 3380)))
        return records
    if lesson == 101:  # the largest document
        target_total = 3780
    else:
        target_total = rnd.between(250, 3200) if rnd.chance(85) else rnd.between(3200, 3700)
    count = rnd.between(1, 14)
    while doc_size(records) < target_total - 60 and len(records) < 1 + count:
        room = target_total - doc_size(records) - 3
        records.append((0xB1, paragraph(rnd, max(30, min(room - 90, rnd.between(60, 900))))))
    return records


def commentary(lesson, rnd):
    number = lesson // 2
    group, entry = index_names(number)
    records = [(0xDC, "ביאור שער " + numeral(group) + " פרק " + numeral(entry))]
    if lesson == 346:  # the smallest document
        records.append((0xB2, "סוף דבר הכל נשמע את האלהים ירא ואת מצותיו שמור כי זה:"))
        return records
    if lesson == 120:  # the most records: 36 passages, each with its explanation
        for _ in range(36):
            records.append((0x51, lemma(rnd)))
            records.append((0xB2, paragraph(rnd, rnd.between(20, 40), last_colon=False)))
        return records
    target_total = rnd.between(150, 3400)
    while doc_size(records) < target_total - 60 and len(records) < 60:
        room = target_total - doc_size(records)
        if rnd.chance(60):
            records.append((0x51, lemma(rnd)))
        records.append((0xB2, paragraph(rnd, max(25, min(room - 120, rnd.between(40, 700))))))
    # The three notes of the volume in the small left-to-right style, one of them empty.
    if lesson == 40:
        records.append((0x82, 'עיין לעיל שער א פרק ג'))
    elif lesson == 150:
        records.append((0x82, ""))
    elif lesson == 300:
        records.append((0x82, 'ע"כ'))
    return records


def lesson_text(lesson):
    rnd = Random(0x9E3779B9 ^ (lesson * 2654435761))
    if lesson % 2:
        head = "# lesson %d: article\n" % lesson
        records = article(lesson, rnd)
    else:
        head = "# lesson %d: commentary on lesson %d\n" % (lesson, lesson - 1)
        records = commentary(lesson, rnd)
    size = doc_size(records)
    assert 2 <= len(records) <= 73, (lesson, len(records))
    assert 75 <= size <= 3800, (lesson, size)
    return head + "".join(record(style, text) for style, text in records)


def index_text():
    out = ["# index\n"]
    sizes = [20, 20, 19, 19, 19, 19, 19, 19, 19]
    article = 0
    for group, size in enumerate(sizes):
        out.append("%04X 8C 01|%s\n" % (0xBFFE - group, "שער " + numeral(group + 1)))
        for entry in range(1, size + 1):
            article += 1
            out.append("%04X 01 02|%s\n" % (0x4000 | (2 * article - 1), "פרק " + numeral(entry)))
    assert article == 173
    return "".join(out)



# The small test volume. Each record: (StyleByte, param, text in reading order).
FIXTURE_LESSONS = {
    1: [
        (0xDC, 0x00, "כותרת הבדיקה"),
        (0xD1, 0x00, "כותרת משנה"),
        (0xB1, 0x00, "פסקה רגילה בלי הזחה ובלי מלה תלויה, ארוכה מספיק כדי להתפרש על פני כמה שורות בחלון צר."),
        (0xB1, 0x0A, "פסקה עם הזחה של עשר נקודות."),
        (0xB1, 0x3F, "פסקה עם ההזחה הגדולה ביותר."),
        (0xA7, 0x78, ""),
        (0xC7, 0xB4, ""),
        (0x87, 0xA0, ""),
        (0xE7, 0xFF, ""),
        (0x07, 0x00, ""),
        (0x87, 0x01, ""),
        (0xB1, 0x40, "א. מלה תלויה בעמודה של רוחב אות אחת."),
        (0xB1, 0x80, "ב. מלה תלויה בעמודה של אות וחצי."),
        (0xB1, 0xC5, "(ג) מלה תלויה בעמודה של שתי אותיות, עם הזחה של חמש."),
        # Continuations: the stored text begins with a space, which for a
        # reversed record is the end of the text as written.
        (0xB1, 0xC5, "המשך של הפסקה הקודמת באותה הזחה. "),
        (0xB1, 0xCA, "המשך עם הזחה גדולה יותר. "),
        (0xB1, 0xC3, "המשך עם הזחה קטנה יותר. "),
        (0xB1, 0x00, ""),
        (0x82, 0x00, "LEFT TO RIGHT TEXT: 1, 2, 3 (FOUR) [FIVE] {SIX}."),
        (0xA2, 0x00, "RIGHT ALIGNED, NOT REVERSED"),
        (0xC2, 0x05, "CENTRED WITH INDENT 5"),
        (0xE2, 0x00, "ALIGNMENT 60 IS LEFT"),
        (0x82, 0x43, "HANGING WORD IN A LEFT TO RIGHT PARAGRAPH THAT WRAPS OVER MORE THAN ONE LINE"),
        (0x82, 0x43, " CONTINUED LEFT TO RIGHT WITH THE SAME INDENT"),
        (0x82, 0x00, ""),
        (0x91, 0x00, "שורה ממורכזת בלי שורה ריקה אחריה"),
        (0x54, 0x00, "גדולה וממורכזת"),
        (0x12, 0x00, "קטנה, בכחול כהה"),
        (0x1C, 0x00, "מודגשת וגדולה, בכחול"),
        (0x1E, 0x00, "קטנה וגדולה יחד: הגדולה קובעת"),
        (0xB8, 0x00, "מודגשת בשחור"),
        (0x90, 0x00, "אחרונה, שורה ריקה אחריה לא נוספת"),
    ],
    2: [
        (0xDC, 0x00, "ביאור לבדיקה"),
        (0x51, 0x00, "פסקה רגילה"),
        (0xB2, 0x00, "כאן מתחיל הביאור (עם סוגריים) [וסוגריים מרובעים] {ומסולסלים} ובהם \"מרכאות\" ו'גרש'."),
        (0x82, 0x00, ""),
        (0xB2, 0x00, "סוף."),
    ],
    3: [
        (0xA7, 0x50, ""),
        (0xB1, 0x00, "מאמר שהרשומה הראשונה בו קו ולא טקסט."),
    ],
    4: [
        (0xD1, 0x00, "כותרת משנה בלי כותרת"),
        (0xB2, 0x00, "ביאור בלי כותרת."),
    ],
    5: [
        (0xDC, 0x00, "תווים מיוחדים"),
        (0xB1, 0x00, "קו נטוי \\\\ ובתים \\x01\\x7F\\xFF ותו {."),
        (0x82, 0x00, "ABC|XYZ 0-9 #$%&*+,/;<=>?@^_`"),
    ],
    6: [
        (0xDC, 0x00, "ביאור קצר"),
        (0xB2, 0x00, "די בזה."),
    ],
}

FIXTURE_INDEX = [
    (0xBFFE, 0xCC, 0x01, "קבוצה פתוחה"),
    (0x4001, 0xC1, 0x02, "מאמר א"),
    (0x4003, 0x81, 0x02, "מאמר ב"),
    (0x0007, 0x81, 0x03, "רשומה בלי מאמר"),
    (0xBFFD, 0x8C, 0x01, "קבוצה סגורה"),
    (0x4005, 0x01, 0x02, "מאמר ג"),
    (0x4007, 0x01, 0x05, "מאמר ד בעומק"),
    (0xBFFC, 0x88, 0x01, "קבוצה ריקה"),
]


def fixture_lesson_text(lesson):
    if lesson % 2:
        head = "# lesson %d: article\n" % lesson
    else:
        head = "# lesson %d: commentary on lesson %d\n" % (lesson, lesson - 1)
    records = FIXTURE_LESSONS.get(lesson)
    if records is None:
        style = 0xB1 if lesson % 2 else 0xB2
        records = [(0xDC, 0, "מאמר " + numeral(lesson)), (style, 0, "פסקה אחת קצרה.")]
    return head + "".join("%02X %02X|%s\n" % r for r in records)


def fixture_index_text():
    return "# index\n" + "".join("%04X %02X %02X|%s\n" % r for r in FIXTURE_INDEX)


def write_volume(out_dir, lesson_text_of, index_text_of):
    os.makedirs(os.path.join(out_dir, "lessons"), exist_ok=True)
    for lesson in range(1, LESSONS + 1):
        with open(os.path.join(out_dir, "lessons", "%03d.txt" % lesson), "w", encoding="utf-8", newline="\n") as f:
            f.write(lesson_text_of(lesson))
    with open(os.path.join(out_dir, "index.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write(index_text_of())


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    if args and args[0] == "--fixture":
        out_dir = args[1] if len(args) > 1 else os.path.join(here, "..", "..", "tests", "fixtures", "volume")
        write_volume(out_dir, fixture_lesson_text, fixture_index_text)
    else:
        out_dir = args[0] if args else os.path.join(here, "..", "..", "content")
        write_volume(out_dir, lesson_text, index_text)

if __name__ == "__main__":
    main()
