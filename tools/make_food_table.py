#!/usr/bin/env python3
"""Writes the dishes-and-foods table that PelmoFree ships, "料理食品.DBF".

    python3 tools/make_food_table.py [--output FILE]

Without --output it writes src/resources/food_table.dbf, which the program
carries as a resource and puts into the data folder when the table is missing
there. Plain Python 3, standard library only; the same input always gives the
same bytes. The field names have no ASCII letter among their bytes, so that
no tool that changes the case of field names can garble them.

Each row is a dish or a food with its energy for one serving. Two kinds:
  "0"  dishes, by the dish categories of a Japanese home kitchen
       (主食, 主菜, 副菜, 汁物, 乳製品, 果物, 間食, 飲み物);
  "1"  foods, by the 18 food groups of the Standard Tables of Food
       Composition in Japan (2020), 穀類 to 調理済み流通食品類.
Energies of foods are the tables' kcal per 100 g of the edible part, rounded,
scaled to the serving; energies of dishes are typical values of a home-made
serving, rounded to 10 kcal (a few kcal for light ones). They are guides for a
diary, not a nutrition reference.

Record layout (bytes of a row with its deletion flag first):
    0        deletion flag
    1-5      番号    N 5   row number
    6-45     名称    C 40  dish or food
    46-50    ｶﾛﾘｰ    N 5   kcal per serving
    51-54    分量    N 4   grams per serving
    55       区分    C 1   kind: "0" dish, "1" food
    56-85    分類    C 30  dish category or food group
    86-105   目安量  C 20  the serving as measured at home
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dbase_table  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.join(HERE, "..", "src", "resources", "food_table.dbf")

FIELDS = [
    ("番号", "N", 5),
    ("名称", "C", 40),
    ("ｶﾛﾘｰ", "N", 5),
    ("分量", "N", 4),
    ("区分", "C", 1),
    ("分類", "C", 30),
    ("目安量", "C", 20),
]

# Dishes: (category, [(dish, grams, serving, kcal per serving)]).
DISHES = [
    ("主食", [
        ("ごはん", 150, "茶碗1杯", 230),
        ("鮭おにぎり", 110, "1個", 180),
        ("バタートースト", 65, "6枚切り1枚", 230),
        ("かけうどん", 450, "1杯", 320),
        ("ざるそば", 300, "1人前", 300),
        ("しょうゆラーメン", 600, "1杯", 450),
        ("カレーライス", 450, "1皿", 700),
        ("親子丼", 450, "1杯", 650),
        ("チャーハン", 300, "1皿", 600),
    ]),
    ("主菜", [
        ("鮭の塩焼き", 80, "1切れ", 110),
        ("さばのみそ煮", 120, "1切れ", 230),
        ("鶏の唐揚げ", 120, "4個", 300),
        ("ハンバーグ", 150, "1個", 330),
        ("豚肉のしょうが焼き", 120, "1人前", 330),
        ("冷ややっこ", 150, "1/2丁", 90),
        ("目玉焼き", 55, "卵1個", 100),
        ("刺身の盛り合わせ", 100, "1人前", 130),
        ("麻婆豆腐", 250, "1人前", 260),
    ]),
    ("副菜", [
        ("ほうれんそうのおひたし", 70, "小鉢1杯", 20),
        ("野菜サラダ", 80, "1皿", 70),
        ("きんぴらごぼう", 60, "小鉢1杯", 80),
        ("ひじきの煮物", 60, "小鉢1杯", 70),
        ("ポテトサラダ", 100, "1皿", 160),
        ("肉じゃが", 200, "1人前", 230),
        ("筑前煮", 150, "1人前", 150),
    ]),
    ("汁物", [
        ("豆腐とわかめのみそ汁", 150, "1杯", 40),
        ("豚汁", 200, "1杯", 110),
        ("すまし汁", 150, "1杯", 15),
        ("コーンスープ", 150, "1杯", 100),
    ]),
    ("乳製品", [
        ("牛乳", 206, "コップ1杯", 130),
        ("プレーンヨーグルト", 100, "1個", 60),
    ]),
    ("果物", [
        ("りんご", 125, "1/2個", 70),
        ("みかん", 80, "1個", 40),
        ("バナナ", 100, "1本", 90),
    ]),
    ("間食", [
        ("しょうゆせんべい", 20, "1枚", 70),
        ("ショートケーキ", 100, "1個", 320),
        ("大福", 70, "1個", 160),
        ("ポテトチップス", 30, "1/2袋", 160),
    ]),
    ("飲み物", [
        ("缶ビール", 350, "1缶", 140),
        ("緑茶", 150, "湯のみ1杯", 3),
        ("加糖の缶コーヒー", 190, "1缶", 70),
    ]),
]

# Foods: (food group, [(food, grams, serving, kcal per 100 g)]), the groups in
# the order of the composition tables.
FOODS = [
    ("穀類", [
        ("精白米 ごはん", 150, "茶碗1杯", 156),
        ("食パン", 60, "6枚切り1枚", 248),
        ("うどん ゆで", 240, "1玉", 95),
        ("そば ゆで", 180, "1玉", 130),
        ("スパゲッティ ゆで", 240, "1人前", 150),
        ("中華めん ゆで", 230, "1玉", 133),
    ]),
    ("いも及びでん粉類", [
        ("じゃがいも", 135, "中1個", 59),
        ("さつまいも", 200, "中1本", 126),
        ("さといも", 50, "中1個", 53),
        ("こんにゃく", 250, "1枚", 5),
        ("緑豆はるさめ 乾", 10, "1人前", 344),
    ]),
    ("砂糖及び甘味類", [
        ("上白糖", 3, "小さじ1", 391),
        ("はちみつ", 21, "大さじ1", 329),
        ("いちごジャム", 21, "大さじ1", 250),
    ]),
    ("豆類", [
        ("木綿豆腐", 150, "1/2丁", 73),
        ("絹ごし豆腐", 150, "1/2丁", 56),
        ("糸引き納豆", 40, "1パック", 190),
        ("油揚げ", 20, "1枚", 377),
        ("無調整豆乳", 200, "コップ1杯", 44),
    ]),
    ("種実類", [
        ("アーモンド 乾", 10, "10粒", 609),
        ("ごま いり", 3, "小さじ1", 605),
        ("らっかせい いり", 10, "10粒", 613),
    ]),
    ("野菜類", [
        ("キャベツ", 50, "葉1枚", 21),
        ("トマト", 150, "中1個", 20),
        ("にんじん", 150, "中1本", 35),
        ("ほうれんそう", 200, "1わ", 18),
        ("たまねぎ", 200, "中1個", 33),
        ("きゅうり", 100, "1本", 13),
        ("だいこん", 100, "輪切り3cm", 15),
    ]),
    ("果実類", [
        ("バナナ", 100, "1本", 93),
        ("りんご", 250, "中1個", 53),
        ("うんしゅうみかん", 80, "中1個", 49),
        ("いちご", 75, "5粒", 31),
        ("キウイフルーツ", 85, "1個", 51),
    ]),
    ("きのこ類", [
        ("生しいたけ", 15, "1個", 25),
        ("ぶなしめじ", 100, "1パック", 26),
        ("えのきたけ", 100, "1袋", 34),
        ("まいたけ", 100, "1パック", 22),
    ]),
    ("藻類", [
        ("焼きのり", 3, "全形1枚", 297),
        ("カットわかめ", 2, "大さじ1", 186),
        ("ほしひじき", 5, "大さじ1", 180),
        ("もずく 塩抜き", 50, "1パック", 4),
    ]),
    ("魚介類", [
        ("しろさけ", 80, "1切れ", 124),
        ("まあじ", 70, "中1尾", 112),
        ("さんま", 100, "1尾", 287),
        ("くろまぐろ 赤身", 80, "刺身5切れ", 115),
        ("あさり", 30, "10個", 27),
        ("するめいか", 80, "1/2杯", 76),
    ]),
    ("肉類", [
        ("若どり むね 皮なし", 100, "1/2枚", 105),
        ("若どり もも 皮つき", 100, "1/2枚", 190),
        ("豚ロース 脂身つき", 100, "1枚", 248),
        ("豚ばら 脂身つき", 50, "3枚", 366),
        ("輸入牛 もも 脂身つき", 100, "1人前", 148),
        ("ロースハム", 20, "1枚", 211),
        ("ウインナーソーセージ", 20, "1本", 319),
    ]),
    ("卵類", [
        ("鶏卵 全卵", 50, "M1個", 142),
        ("うずら卵", 10, "1個", 157),
    ]),
    ("乳類", [
        ("普通牛乳", 206, "コップ1杯", 61),
        ("ヨーグルト 全脂無糖", 100, "1個", 56),
        ("プロセスチーズ", 20, "1切れ", 313),
        ("アイスクリーム 普通脂肪", 100, "1個", 178),
    ]),
    ("油脂類", [
        ("調合油", 12, "大さじ1", 886),
        ("有塩バター", 10, "小さじ2と1/2", 700),
        ("ソフトタイプマーガリン", 10, "小さじ2と1/2", 715),
    ]),
    ("菓子類", [
        ("ショートケーキ", 100, "1個", 318),
        ("大福もち", 70, "1個", 223),
        ("ポテトチップス", 60, "1袋", 541),
        ("ミルクチョコレート", 50, "1枚", 550),
        ("しょうゆせんべい", 20, "1枚", 368),
    ]),
    ("し好飲料類", [
        ("ビール 淡色", 350, "1缶", 39),
        ("清酒 普通酒", 180, "1合", 107),
        ("せん茶 浸出液", 150, "湯のみ1杯", 2),
        ("コーヒー 浸出液", 150, "1杯", 4),
        ("コーラ", 350, "1缶", 46),
    ]),
    ("調味料及び香辛料類", [
        ("こいくちしょうゆ", 18, "大さじ1", 77),
        ("淡色辛みそ", 18, "大さじ1", 182),
        ("マヨネーズ 全卵型", 12, "大さじ1", 668),
        ("トマトケチャップ", 15, "大さじ1", 104),
        ("カレールウ", 20, "1皿分", 474),
    ]),
    ("調理済み流通食品類", [
        ("ぎょうざ", 125, "5個", 209),
        ("ポテトコロッケ", 70, "1個", 226),
        ("ハンバーグステーキ", 100, "1個", 197),
    ]),
]


def rows():
    out = []
    for category, dishes in DISHES:
        for name, grams, serving, kcal in dishes:
            out.append((name, kcal, grams, "0", category, serving))
    for group, foods in FOODS:
        for name, grams, serving, per100 in foods:
            out.append((name, int(per100 * grams / 100 + 0.5), grams, "1", group, serving))
    return [(number,) + row for number, row in enumerate(out, start=1)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    data = dbase_table.table_bytes(FIELDS, rows())
    with open(args.output, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
