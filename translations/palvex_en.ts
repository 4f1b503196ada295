<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>AboutPage</name>
    <message>
        <source>Программа проектирования зернового состава минеральной части</source>
        <translation>A program for designing the grain composition of the mineral</translation>
    </message>
    <message>
        <source>сырьевых   смесей  строительных   композиционных   материалов </source>
        <translation>part of raw mixes for composite building materials from the</translation>
    </message>
    <message>
        <source>по  данным  гранулометрического  анализа  исходных компонентов</source>
        <translation>particle-size (sieve) analyses of the raw components of the</translation>
    </message>
    <message>
        <source>смеси.</source>
        <translation>mix.</translation>
    </message>
    <message>
        <source>Правила работы с программным продуктом описаны в руководстве пользователя:</source>
        <translation>How to work with the program is described in the user guide:</translation>
    </message>
    <message>
        <source>Краткое руководство пользователя</source>
        <translation>Short user guide</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Palvex %1 — краткое руководство пользователя&lt;/h2&gt;
&lt;p&gt;Программа подбирает зерновой состав минеральной части сырьевой смеси так, чтобы он был как можно ближе
к эталонному. Работа идет по шагам; шаги выбираются кнопками в верхней части окна.&lt;/p&gt;
&lt;ol&gt;
&lt;li&gt;&lt;b&gt;Параметры сырьевой смеси.&lt;/b&gt; Введите название состава, выберите количество компонентов (от 1 до 10),
заполните их названия и истинную плотность зерен (г/см&lt;sup&gt;3&lt;/sup&gt;). Целая часть отделяется запятой.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Зерновые составы.&lt;/b&gt; Выберите форму данных: интегральную (полный проход A, %) или дифференциальную
(частный остаток Q, %). Задайте количество типоразмеров частиц кнопками «+» и «-» и заполните таблицу:
размеры Dj сверху вниз по убыванию, в одной размерности для всех компонентов. Таблицу можно вставить из
электронной таблицы (Ctrl+V или кнопка вставки) и скопировать (Ctrl+C). Ошибки заполнения показываются
красной рамкой; их список открывает флажок «Посмотреть сообщение об ошибках».&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Исходный состав.&lt;/b&gt; Введите массовые доли компонентов, %; их сумма должна быть равна 100.
Диаграмма показывает исходный состав.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Эталонный состав.&lt;/b&gt; Выберите уравнение (Функа-Дингера, Фуллера, Гуммеля, Боломея) и его
коэффициенты или введите эталонный зерновой состав вручную (по убыванию A&apos;j слева направо).&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Корректировка состава.&lt;/b&gt; Двигайте ползунки массовых долей; остальные доли меняются так, чтобы сумма
оставалась 100 %. Замок фиксирует долю компонента. Кнопка «Исходный состав» возвращает исходные доли.
Автоматический подбор ищет состав с меньшим расхождением кривых, при желании в заданных границах; кнопка
«Найти оптимальный состав» находит состав с наименьшим возможным расхождением.
Гранулометрический график показывает эталонную, исходную и проектируемую кривые и расхождение кривых —
наибольшее отклонение проектируемой кривой от эталонной, в процентных пунктах.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Формирование итогового отчета.&lt;/b&gt; Отметьте разделы отчета и сформируйте документ.&lt;/li&gt;
&lt;/ol&gt;
&lt;p&gt;Проект сохраняется кнопкой «Сохранить проект» в текстовый файл и открывается кнопкой «Открыть проект».&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Palvex %1 — short user guide&lt;/h2&gt;
&lt;p&gt;The program designs the grain composition of the mineral part of a raw mix so that it comes as close as
possible to a reference. The work goes step by step; the buttons at the top of the window choose the step.&lt;/p&gt;
&lt;ol&gt;
&lt;li&gt;&lt;b&gt;Mix parameters.&lt;/b&gt; Enter the name of the mix, choose the number of components (1 to 10),
and fill in their names and true grain densities (g/cm&lt;sup&gt;3&lt;/sup&gt;). The decimal separator is a comma.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Grain compositions.&lt;/b&gt; Choose the form of the data: cumulative (cumulative passing A, %) or differential
(partial residue Q, %). Set the number of size classes with the “+” and “-” buttons and fill in the table:
the sizes Dj from top to bottom in descending order, in the same unit for all components. The table can be
pasted from a spreadsheet (Ctrl+V or the paste button) and copied (Ctrl+C). Errors are shown by a red frame;
the box “Show the error messages” lists them.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Base recipe.&lt;/b&gt; Enter the mass fractions of the components, %; they must add up to 100.
The diagram shows the base recipe.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Reference.&lt;/b&gt; Choose an equation (Funk–Dinger, Fuller, Hummel, Bolomey) and its
coefficients, or enter the reference grain composition by hand (A&apos;j descending from left to right).&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Correction.&lt;/b&gt; Move the sliders of the mass fractions; the other fractions change so that the sum
stays 100 %. A padlock locks the fraction of a component. The “Base recipe” button brings back the base fractions.
The automatic search looks for a recipe with a smaller curve divergence, within given bounds if you wish; the
button “Find the best recipe” finds the recipe with the smallest possible divergence.
The grading chart shows the reference, base and designed curves and the curve divergence —
the largest deviation of the designed curve from the reference, in percentage points.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Final report.&lt;/b&gt; Tick the sections of the report and create the document.&lt;/li&gt;
&lt;/ol&gt;
&lt;p&gt;The “Save project” button saves the project as a text file; the “Open project” button opens it.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>BaseRecipePage</name>
    <message>
        <source>Сумма массовых долей (%) составляет:</source>
        <translation>Sum of the mass fractions (%):</translation>
    </message>
    <message>
        <source>3.1.Массовые доли (%) компонентов сырьевой смеси:</source>
        <translation>3.1.Mass fractions (%) of the raw components of the mix:</translation>
    </message>
    <message>
        <source>3.2.Диаграмма массовых долей исходного состава смеси:</source>
        <translation>3.2.Mass fractions of the base recipe:</translation>
    </message>
    <message>
        <source>Стоимость 1 т смеси (руб.):</source>
        <translation>Cost of 1 t of the mix (RUB):</translation>
    </message>
</context>
<context>
    <name>BoundsDialog</name>
    <message>
        <source>Настройка границ случайного варьирования массовых долей</source>
        <translation>Bounds of the random variation of the mass fractions</translation>
    </message>
    <message>
        <source>Компонент %1</source>
        <translation>Component %1</translation>
    </message>
    <message>
        <source>от:</source>
        <translation>from:</translation>
    </message>
    <message>
        <source>до:</source>
        <translation>to:</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>Сохранить изображение</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Сохранить изображение…</source>
        <translation>Save image…</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Открывает проект FILE, как окно (исправленный состав равен исходному, если
--corrected не задает массовые доли в %, как их задали бы ползунки),
пересчитывает и проверяет его и печатает один объект JSON: name, N, K, data_form,
reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,
corrected_volume_fractions, base_curve, corrected_curve, reference_curve,
deviations, divergence, band_upper, band_lower (числа с 9 значащими цифрами),
valid {density, grain, recipe, reference, all} и errors (сообщения, которые
показывает окно, по порядку).</source>
        <translation>Opens the project FILE as the window does (the corrected recipe equals the base
recipe unless --corrected sets the mass fractions in %, as the sliders would),
recalculates and validates it, and prints one JSON object: name, N, K, data_form,
reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,
corrected_volume_fractions, base_curve, corrected_curve, reference_curve,
deviations, divergence, band_upper, band_lower (floats with 9 significant digits),
valid {density, grain, recipe, reference, all} and errors (the messages the window
shows, in order).</translation>
    </message>
    <message>
        <source>Делает S шагов автоматического подбора от открытого проекта с генератором,
заданным числом R (одно и то же число дает один и тот же результат), в границах
каждого компонента, если задан --bounds, с закрепленными компонентами из списка
(номера с 1). Печатает JSON команды calc и еще steps и adopted (сколько проб
принято).</source>
        <translation>Runs S steps of the automatic search from the opened project with a generator
seeded with R (the same seed gives the same result), within the bounds of each
component when --bounds is given, with the listed components (1-based) locked.
Prints the JSON of calc plus steps and adopted (how many trials were adopted).</translation>
    </message>
    <message>
        <source>Записывает отчет по открытому проекту (рисунки строятся без экрана) в документ
.docx. --sections перечисляет разделы отчета по номерам 1..11 (6.1–6.11 шага 6);
по умолчанию все.</source>
        <translation>Writes the report of the opened project (the pictures drawn offscreen) as a .docx
document. --sections lists the sections to include by their numbers 1..11 (6.1 to
6.11 of step 6); all of them by default.</translation>
    </message>
    <message>
        <source>Читает книгу базы данных компонентов (.xlsx), как окно выбора, с файлом настроек
FILE (по умолчанию app_setups.ini, найденный так же, как его находит окно),
и печатает один объект JSON: sizes (как прочитаны, от мелких к крупным), names,
total_masses, forms (для каждого компонента и каждой фракции шесть форм: частный
остаток в г и %, полный остаток в г и %, полный проход в г и %; null, где пусто)
и warnings (о чем предупредило бы окно).</source>
        <translation>Reads a component database workbook (.xlsx) as the selection window does, with
the settings file FILE (by default app_setups.ini, found as the window finds it),
and prints one JSON object: sizes (as read, finest first), names, total_masses,
forms (for each component, for each size class, the six forms: partial residue
g and %, cumulative residue g and %, cumulative passing g and %; null where empty)
and warnings (what the window would warn about).</translation>
    </message>
    <message>
        <source>Открывает проект IN, как окно, и сохраняет его в OUT, как окно: Windows-1251
с концами строк CR LF, какими бы ни были кодировка и концы строк IN.</source>
        <translation>Opens the project IN as the window does and saves it to OUT as the window does:
Windows-1251 with CR LF line ends, whatever the encoding and line ends of IN.</translation>
    </message>
    <message>
        <source>Общие параметры:
</source>
        <translation>Common options:
</translation>
    </message>
    <message>
        <source>Язык сообщений: en (английский) или ru (русский). По умолчанию — язык
системы, если это английский, иначе русский. Ключи JSON не меняются.</source>
        <translation>Language of the messages: en (English) or ru (Russian). By default the
system&apos;s language if it is English, else Russian. The JSON keys never change.</translation>
    </message>
    <message>
        <source>Печатает этот текст (после команды — ее описание).</source>
        <translation>Prints this text (after a command, its description).</translation>
    </message>
    <message>
        <source>Печатает номер версии.</source>
        <translation>Prints the version number.</translation>
    </message>
    <message>
        <source>Запуск: palvex-cli [--lang en|ru] COMMAND [ARGS]
</source>
        <translation>Usage: palvex-cli [--lang en|ru] COMMAND [ARGS]
</translation>
    </message>
    <message>
        <source>Команды:
</source>
        <translation>Commands:
</translation>
    </message>
    <message>
        <source>--corrected требует %1 массовых долей, а задано %2</source>
        <translation>--corrected needs %1 mass fractions, got %2</translation>
    </message>
    <message>
        <source>--corrected: «%1» — не массовая доля от 0 до 100</source>
        <translation>--corrected: &quot;%1&quot; is not a mass fraction from 0 to 100</translation>
    </message>
    <message>
        <source>неизвестный параметр %1 (см. --help)</source>
        <translation>unknown option %1 (see --help)</translation>
    </message>
    <message>
        <source>не указана книга базы данных (см. --help)</source>
        <translation>no workbook given (see --help)</translation>
    </message>
    <message>
        <source>не указан файл проекта (см. --help)</source>
        <translation>no project file given (see --help)</translation>
    </message>
    <message>
        <source>ожидается одна книга, а указана еще и %1</source>
        <translation>one workbook expected, got also %1</translation>
    </message>
    <message>
        <source>ожидается один файл проекта, а указан еще и %1</source>
        <translation>one project file expected, got also %1</translation>
    </message>
    <message>
        <source>--bounds требует %1 пар lo:hi, а задано %2</source>
        <translation>--bounds needs %1 pairs lo:hi, got %2</translation>
    </message>
    <message>
        <source>граница «%1» должна иметь вид lo:hi, где 0 &lt;= lo &lt; hi &lt;= 100</source>
        <translation>bound &quot;%1&quot; must be lo:hi with 0 &lt;= lo &lt; hi &lt;= 100</translation>
    </message>
    <message>
        <source>--lock принимает номера компонентов от 1 до %1, а задано «%2»</source>
        <translation>--lock takes component numbers from 1 to %1, got &quot;%2&quot;</translation>
    </message>
    <message>
        <source>таблицы проекта %1 содержат ошибки: %2</source>
        <translation>the tables of %1 are not valid: %2</translation>
    </message>
    <message>
        <source>--steps требует целого числа шагов</source>
        <translation>--steps needs a whole number of steps</translation>
    </message>
    <message>
        <source>--seed требует целого числа</source>
        <translation>--seed needs a whole number</translation>
    </message>
    <message>
        <source>нужен параметр -o OUT.docx</source>
        <translation>-o OUT.docx is required</translation>
    </message>
    <message>
        <source>--sections принимает номера от 1 до 11, а задано «%1»</source>
        <translation>--sections takes numbers from 1 to 11, got &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ожидаются два файла: IN OUT (см. --help)</source>
        <translation>two files expected: IN OUT (see --help)</translation>
    </message>
    <message>
        <source>--lang: «%1» — не язык программы (en или ru)</source>
        <translation>--lang: &quot;%1&quot; is not a language of the program (en or ru)</translation>
    </message>
    <message>
        <source>неизвестная команда %1 (см. --help)</source>
        <translation>unknown command %1 (see --help)</translation>
    </message>
    <message>
        <source>Запуск: palvex-cli [--lang en|ru] %1
</source>
        <translation>Usage: palvex-cli [--lang en|ru] %1
</translation>
    </message>
    <message>
        <source>Находит лучший состав точно (линейная или частично целочисленная программа):
с наименьшим возможным расхождением (--objective divergence, по умолчанию) или
с наименьшей стоимостью тонны (--objective cost), при закрепленных компонентах,
границах, расхождении не более D, не более M компонентах с ненулевой долей и в
границах зернового состава проекта (или --envelope: K пар lo:hi прохода в %,
пустая сторона — без границы). --prices задает цену тонны каждого компонента;
оба параметра заменяют заданное в проекте. Принимает состав и печатает JSON
команды calc и еще optimum (расхождение состава, без округления), cost (стоимость
тонны состава, null без цен), components_used и envelope_ok (null без границ);
с --pareto еще pareto: фронт «стоимость – расхождение» из P составов, список
{divergence, cost, recipe} по возрастанию расхождения. Дробная часть — через точку.</source>
        <translation>Finds the best recipe exactly (a linear or mixed-integer program): the smallest
possible divergence (--objective divergence, the default) or the lowest cost per
tonne (--objective cost), honouring the locked components, the bounds, the
divergence at most D, at most M components with a non-zero share, and the grading
envelope of the project (or of --envelope: K pairs lo:hi of the passing in %, an
empty side being no limit). --prices sets the price of a tonne of each component;
both override the project&apos;s own. Adopts the recipe and prints the JSON of calc plus
optimum (the recipe&apos;s divergence, unrounded), cost (per tonne of the recipe, null
without prices), components_used and envelope_ok (null without an envelope); with
--pareto, pareto: the cost-divergence front of P recipes, a list of {divergence,
cost, recipe} ordered by divergence. Decimals take a period.</translation>
    </message>
    <message>
        <source>Код завершения: 0 при успехе; 1, если ни один состав не удовлетворяет ограничениям
optimum (сообщение называет несовместимые ограничения); 2, если файл отвергнут
или аргументы неверны.
</source>
        <translation>Exit status: 0 on success; 1 when no recipe satisfies the constraints of optimum (the
message names the constraints in conflict); 2 for a refused file or bad arguments.
</translation>
    </message>
    <message>
        <source>--prices требует %1 цен, а задано %2</source>
        <translation>--prices needs %1 prices, got %2</translation>
    </message>
    <message>
        <source>--prices: «%1» — не цена (нужно число не меньше 0)</source>
        <translation>--prices: &quot;%1&quot; is not a price (a number not below 0)</translation>
    </message>
    <message>
        <source>--envelope требует %1 пар lo:hi, а задано %2</source>
        <translation>--envelope needs %1 pairs lo:hi, got %2</translation>
    </message>
    <message>
        <source>пара границ «%1» должна иметь вид lo:hi, где 0 &lt;= lo &lt;= hi &lt;= 100 (одна из сторон может быть пустой)</source>
        <translation>envelope pair &quot;%1&quot; must be lo:hi with 0 &lt;= lo &lt;= hi &lt;= 100 (a side may be empty)</translation>
    </message>
    <message>
        <source>--objective принимает divergence или cost, а задано «%1»</source>
        <translation>--objective takes divergence or cost, got &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--objective cost требует цены (числа не меньше 0) каждого компонента: задайте --prices или внесите цены в проект</source>
        <translation>--objective cost needs a price (a number not below 0) for every component: give --prices or put them into the project</translation>
    </message>
    <message>
        <source>--max-divergence требует числа не меньше 0, а задано «%1»</source>
        <translation>--max-divergence needs a number not below 0, got &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--max-components принимает число от 1 до %1, а задано «%2»</source>
        <translation>--max-components takes a number from 1 to %1, got &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--pareto принимает число точек от 1 до 1000</source>
        <translation>--pareto takes a number of points from 1 to 1000</translation>
    </message>
    <message>
        <source>--pareto требует цены (числа не меньше 0) каждого компонента</source>
        <translation>--pareto needs a price (a number not below 0) for every component</translation>
    </message>
    <message>
        <source>ни один состав не удовлетворяет ограничениям: </source>
        <translation>no recipe satisfies the constraints: </translation>
    </message>
</context>
<context>
    <name>ComponentDatabase</name>
    <message>
        <source> и еще %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Файл настроек «%1» не найден или не читается.</source>
        <translation>The settings file “%1” is not found or cannot be read.</translation>
    </message>
    <message>
        <source>Файл настроек «%1» не является текстом в кодировке Windows-1251.</source>
        <translation>The settings file “%1” is not text in the Windows-1251 encoding.</translation>
    </message>
    <message>
        <source>Файл настроек «%1»: строка %2 («%3») %4</source>
        <translation>The settings file “%1”: line %2 (“%3”) %4</translation>
    </message>
    <message>
        <source>должна иметь вид «строка:столбец,строка:столбец».</source>
        <translation>must have the form “row:column,row:column”.</translation>
    </message>
    <message>
        <source>указывает строку листа «%1»; строки листа нумеруются от 1 до 1 048 576.</source>
        <translation>names the worksheet row “%1”; worksheet rows are numbered from 1 to 1,048,576.</translation>
    </message>
    <message>
        <source>указывает столбец листа «%1»; столбцы листа нумеруются от 1 до 16 384.</source>
        <translation>names the worksheet column “%1”; worksheet columns are numbered from 1 to 16,384.</translation>
    </message>
    <message>
        <source>Файл настроек «%1»: в строке 1 последний столбец размеров сит меньше первого.</source>
        <translation>The settings file “%1”: in line 1 the last column of sieve sizes comes before the first.</translation>
    </message>
    <message>
        <source>В базе данных «%1» больше %2 строк компонентов (начиная со строки %3); столько программа не читает.</source>
        <translation>The database “%1” has more than %2 component rows (from row %3 on); the program does not read that many.</translation>
    </message>
    <message>
        <source>Не удалось прочитать базу данных «%1»: %2.</source>
        <translation>Could not read the database “%1”: %2.</translation>
    </message>
    <message>
        <source>В базе данных «%1» в строке %2 (столбцы %3–%4) нет размеров сит; проверьте файл настроек app_setups.ini.</source>
        <translation>The database “%1” has no sieve sizes in row %2 (columns %3–%4); check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» размер сита в ячейке %2 пуст или не является числом; проверьте файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the sieve size in cell %2 is empty or not a number; check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» размеры сит в ячейках %2 пусты или не являются числами; проверьте файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the sieve sizes in cells %2 are empty or not numbers; check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» у компонента в строке %2 нет общей массы пробы (ячейка в столбце %3 пуста, не число или 0): его проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the component in row %2 has no total sample mass (the cell in column %3 is empty, not a number or 0): its percentages and passings are not calculated. Check the database and the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных «%1» у компонентов в строках %2 нет общей массы пробы (столбец %3 пуст, не число или 0): их проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.</source>
        <translation>In the database “%1” the components in rows %2 have no total sample mass (column %3 is empty, not a number or 0): their percentages and passings are not calculated. Check the database and the settings file app_setups.ini.</translation>
    </message>
</context>
<context>
    <name>ComponentDatabaseDialog</name>
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Загрузка данных о компонентах</source>
        <translation>Loading component data</translation>
    </message>
    <message>
        <source>Файл Excel (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>Открытие файла</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Файл базы данных компонентов:</source>
        <translation>Component database file:</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Выберите компоненты из базы данных:</source>
        <translation>Choose the components from the database:</translation>
    </message>
    <message>
        <source>Количество участвующих компонентов:</source>
        <translation>Number of components in the mix:</translation>
    </message>
    <message>
        <source>Название компонента:</source>
        <translation>Component name:</translation>
    </message>
    <message>
        <source>Плотность зерен [г/см3]:</source>
        <translation>Grain density [g/cm3]:</translation>
    </message>
    <message>
        <source>табл</source>
        <translation>table</translation>
    </message>
    <message>
        <source>Показать в таблице и на графике</source>
        <translation>Show in the table and on the chart</translation>
    </message>
    <message>
        <source>Исходный зерновой состав компонентов:</source>
        <translation>Grain composition of the components:</translation>
    </message>
    <message>
        <source>Форма представления данных:</source>
        <translation>Form of the data:</translation>
    </message>
    <message>
        <source>Логарифмический масштаб апертур</source>
        <translation>Logarithmic scale of apertures</translation>
    </message>
    <message>
        <source>Отобразить легенду графика</source>
        <translation>Show the chart legend</translation>
    </message>
    <message>
        <source>Подтвердить данный состав для дальнейшего расчета</source>
        <translation>Confirm this selection for the design</translation>
    </message>
    <message>
        <source>Отмена (закрыть окно)</source>
        <translation>Cancel (close the window)</translation>
    </message>
    <message>
        <source>Идет загрузка данных из базы!</source>
        <translation>Loading data from the database…</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Проверьте правильность заполнения полей!</source>
        <translation>Check that the fields are filled in correctly!</translation>
    </message>
    <message>
        <source>Частные остатки [гр]</source>
        <translation>Partial residues [g]</translation>
    </message>
    <message>
        <source>Частные остатки [%]</source>
        <translation>Partial residues [%]</translation>
    </message>
    <message>
        <source>Полные остатки [гр]</source>
        <translation>Cumulative residues [g]</translation>
    </message>
    <message>
        <source>Полные остатки [%]</source>
        <translation>Cumulative residues [%]</translation>
    </message>
    <message>
        <source>Полные проходы [гр]</source>
        <translation>Cumulative passing [g]</translation>
    </message>
    <message>
        <source>Полные проходы [%]</source>
        <translation>Cumulative passing [%]</translation>
    </message>
    <message>
        <source>Данный компонент уже используется в составе смеси!</source>
        <translation>This component is already used in the mix!</translation>
    </message>
    <message>
        <source>Название компонента</source>
        <translation>Component name</translation>
    </message>
    <message>
        <source>Частные остатки [гр.]</source>
        <translation>Partial residues [g]</translation>
    </message>
    <message>
        <source>Полные остатки [гр.]</source>
        <translation>Cumulative residues [g]</translation>
    </message>
    <message>
        <source>Полные проходы [гр.]</source>
        <translation>Cumulative passing [g]</translation>
    </message>
    <message>
        <source>Размеры частиц (апертуры сит)</source>
        <translation>Particle sizes (sieve apertures)</translation>
    </message>
    <message>
        <source>У компонента «%1» (строка %2 базы данных) нет зернового состава в процентах: в базе не указана общая масса пробы. Выберите другой компонент или исправьте базу данных и файл настроек app_setups.ini.</source>
        <translation>The component “%1” (row %2 of the database) has no grain composition in percent: the database gives no total sample mass. Choose another component or correct the database and the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>В базе данных нет размера сита для %1-го класса крупности (размер пуст или не число); проверьте файл настроек app_setups.ini.</source>
        <translation>The database has no sieve size for size class %1 (the size is empty or not a number); check the settings file app_setups.ini.</translation>
    </message>
    <message>
        <source>Гранит: 2,75</source>
        <translation>Granite: 2,75</translation>
    </message>
    <message>
        <source>Цемент: 3,1</source>
        <translation>Cement: 3,1</translation>
    </message>
    <message>
        <source>Известняк плотный: 2,5</source>
        <translation>Dense limestone: 2,5</translation>
    </message>
    <message>
        <source>Песок кварцевый: 2,65</source>
        <translation>Quartz sand: 2,65</translation>
    </message>
    <message>
        <source>Шлак доменный: 2,95</source>
        <translation>Blast-furnace slag: 2,95</translation>
    </message>
    <message>
        <source>Шлак пористый: 2,94</source>
        <translation>Expanded slag: 2,94</translation>
    </message>
    <message>
        <source>Шлак мартеновский: 3,2</source>
        <translation>Open-hearth slag: 3,2</translation>
    </message>
    <message>
        <source>Шлак конвертерный: 3,1</source>
        <translation>Converter slag: 3,1</translation>
    </message>
    <message>
        <source>Шлак медеплавильный: 3,5</source>
        <translation>Copper slag: 3,5</translation>
    </message>
    <message>
        <source>Шлак фосфорный: 2,95</source>
        <translation>Phosphorus slag: 2,95</translation>
    </message>
    <message>
        <source>Стальная крошка: 7,85</source>
        <translation>Steel shot: 7,85</translation>
    </message>
</context>
<context>
    <name>CompositionsPage</name>
    <message>
        <source>Интегральное распределение частиц по размерам</source>
        <translation>Cumulative particle size distribution</translation>
    </message>
    <message>
        <source>Дифференциальное распределение частиц по размерам</source>
        <translation>Differential particle size distribution</translation>
    </message>
    <message>
        <source>Посмотреть сообщение об ошибках</source>
        <translation>Show the error messages</translation>
    </message>
    <message>
        <source>Копировать содержимое таблицы в буфер</source>
        <translation>Copy the table to the clipboard</translation>
    </message>
    <message>
        <source>Вставить данные из буфера</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>Очистить таблицу</source>
        <translation>Clear the table</translation>
    </message>
    <message>
        <source>Подтверждение очистки таблицы</source>
        <translation>Clear the table</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите очистить таблицу?</source>
        <translation>Are you sure you want to clear the table?</translation>
    </message>
    <message>
        <source>При заполнении таблицы допущены следующие ошибки:</source>
        <translation>The table has the following errors:</translation>
    </message>
    <message>
        <source>задается процентное содержание частиц Aji, размер которых меньше текущего Dj («полный проход» частиц компонента i через условное сито j).</source>
        <translation>the percentage Aji of particles smaller than the current Dj (the “cumulative passing” of component i through sieve j).</translation>
    </message>
    <message>
        <source>задается процентное содержание частиц Qji текущего размера Dj («частный остаток» частиц компонента i на условном сите j).</source>
        <translation>the percentage Qji of particles of the current size Dj (the “partial residue” of component i on sieve j).</translation>
    </message>
    <message>
        <source>2.2.Количество типоразмеров частиц:</source>
        <translation>2.2.Number of size classes:</translation>
    </message>
    <message>
        <source>2.3.Зерновые составы компонентов:</source>
        <translation>2.3.Grain compositions of the components:</translation>
    </message>
    <message>
        <source>2.1.Форма представления данных:</source>
        <translation>2.1.Form of the data:</translation>
    </message>
    <message>
        <source>* размеры частиц Dj вводятся в порядке убывания сверху вниз. Значения Dj должны иметь одинаковую размерность (мм, мкм, нм и т.д.) для всех компонентов. Минимальное значение размера частиц составляет 0,0001.</source>
        <translation>* the particle sizes Dj are entered in descending order from top to bottom, in the same unit (mm, µm, nm etc.) for all components. The smallest particle size is 0,0001.</translation>
    </message>
</context>
<context>
    <name>CorrectionPage</name>
    <message>
        <source>Закрепить долю компонента</source>
        <translation>Lock the fraction of the component</translation>
    </message>
    <message>
        <source>Исходный состав</source>
        <translation>Base recipe</translation>
    </message>
    <message>
        <source>5.2.Автоматический подбор массовых долей</source>
        <translation>5.2.Automatic search for the mass fractions</translation>
    </message>
    <message>
        <source>Добавить границы случайного варьирования
массовых долей</source>
        <translation>Add bounds to the random variation
of the mass fractions</translation>
    </message>
    <message>
        <source>Настроить</source>
        <translation>Set up</translation>
    </message>
    <message>
        <source>Найти оптимальный состав</source>
        <translation>Find the best recipe</translation>
    </message>
    <message>
        <source>Оптимальный состав</source>
        <translation>Best recipe</translation>
    </message>
    <message>
        <source>Логарифмический масштаб оси абсцисс</source>
        <translation>Logarithmic size axis</translation>
    </message>
    <message>
        <source>Координатная сетка</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Сумма (%):</source>
        <translation>Sum (%):</translation>
    </message>
    <message>
        <source>5.1.Ручной подбор массовых долей:</source>
        <translation>5.1.Manual adjustment of the mass fractions:</translation>
    </message>
    <message>
        <source>5.3.Гранулометрический график:</source>
        <translation>5.3.Grading chart:</translation>
    </message>
    <message>
        <source>наименьшее расхождение</source>
        <translation>smallest divergence</translation>
    </message>
    <message>
        <source>наименьшая стоимость</source>
        <translation>lowest cost</translation>
    </message>
    <message>
        <source>Нужна цена каждого компонента (шаг 1)</source>
        <translation>Needs the price of every component (step 1)</translation>
    </message>
    <message>
        <source>расхождение не более</source>
        <translation>divergence at most</translation>
    </message>
    <message>
        <source>компонентов в составе не более</source>
        <translation>components in the recipe at most</translation>
    </message>
    <message>
        <source>в пределах границ зернового состава (шаг 4)</source>
        <translation>within the grading envelope (step 4)</translation>
    </message>
    <message>
        <source>Построить фронт</source>
        <translation>Build the front</translation>
    </message>
    <message>
        <source>Самые дешевые составы при расхождениях от наименьшего возможного до расхождения самого дешевого состава; щелчок по точке принимает ее состав</source>
        <translation>The cheapest recipes at divergences from the smallest possible to that of the cheapest recipe; a click on a point adopts its recipe</translation>
    </message>
    <message>
        <source>Фронт «стоимость – расхождение»</source>
        <translation>Cost–divergence front</translation>
    </message>
    <message>
        <source>Цель:</source>
        <translation>Aim:</translation>
    </message>
    <message>
        <source>Условия:</source>
        <translation>Constraints:</translation>
    </message>
    <message>
        <source>Стоимость 1 т смеси (руб.): </source>
        <translation>Cost of 1 t of the mix (RUB): </translation>
    </message>
    <message>
        <source> (исходного состава: %1)</source>
        <translation> (base recipe: %1)</translation>
    </message>
</context>
<context>
    <name>DensityTableDialog</name>
    <message>
        <source>Таблица истинной плотности (г/см3)</source>
        <translation>True density table (g/cm3)</translation>
    </message>
    <message>
        <source>Ок</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DocxWriter</name>
    <message>
        <source>Рисунок %1</source>
        <translation>Picture %1</translation>
    </message>
    <message>
        <source>не удалось собрать документ в памяти</source>
        <translation>the document could not be assembled in memory</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>КБ</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>МБ</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>ГБ</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>ТБ</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>%1 байт</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Файл «%1» не существует.
Создать этот файл?</source>
        <translation>The file “%1” does not exist.
Create it?</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>папка «%1» не существует</source>
        <translation>the folder “%1” does not exist</translation>
    </message>
    <message>
        <source>с этим именем уже есть папка</source>
        <translation>a folder of that name already exists</translation>
    </message>
    <message>
        <source>файл защищен от записи</source>
        <translation>the file is write-protected</translation>
    </message>
    <message>
        <source>нет прав на запись в папку «%1»</source>
        <translation>no permission to write to the folder “%1”</translation>
    </message>
    <message>
        <source>файл не существует</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>нет прав на чтение файла</source>
        <translation>no permission to read the file</translation>
    </message>
    <message>
        <source>файл не удалось открыть (он может быть занят другой программой)</source>
        <translation>the file could not be opened (another program may be using it)</translation>
    </message>
    <message>
        <source>ошибка записи (возможно, диск заполнен)</source>
        <translation>write error (the disk may be full)</translation>
    </message>
    <message>
        <source>не хватает места на диске или системных ресурсов</source>
        <translation>not enough disk space or system resources</translation>
    </message>
    <message>
        <source>ошибка чтения файла</source>
        <translation>error reading the file</translation>
    </message>
    <message>
        <source>не удалось заменить прежний файл</source>
        <translation>the previous file could not be replaced</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
</context>
<context>
    <name>Front</name>
    <message>
        <source>Стоимость, руб./т</source>
        <translation>Cost, RUB/t</translation>
    </message>
    <message>
        <source>Расхождение, %</source>
        <translation>Divergence, %</translation>
    </message>
    <message>
        <source>Фронт «стоимость – расхождение» не построен</source>
        <translation>The cost–divergence front is not built</translation>
    </message>
</context>
<context>
    <name>FrontView</name>
    <message>
        <source>Расхождение %1 %; стоимость %2 руб./т; компонентов: %3.
Щелчок — принять этот состав.</source>
        <translation>Divergence %1 %; cost %2 RUB/t; components: %3.
Click to adopt this recipe.</translation>
    </message>
</context>
<context>
    <name>Graph</name>
    <message>
        <source>Проверьте правильность заполнения таблиц!</source>
        <translation>Check that the tables are filled in correctly!</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Текстовые файлы с данными (*.txt)</source>
        <translation>Text data files (*.txt)</translation>
    </message>
    <message>
        <source>Palvex %1 [Версия от 19.04.2019]</source>
        <translation>Palvex %1 [Version of 19.04.2019]</translation>
    </message>
    <message>
        <source>Открытие файла</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Сохранение файла</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Открыть проект</source>
        <translation>Open project</translation>
    </message>
    <message>
        <source>Сохранить проект</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Подтверждение выхода</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Несохраненные данные будут утеряны! Вы уверены, что хотите выйти из программы?</source>
        <translation>Unsaved data will be lost! Are you sure you want to quit the program?</translation>
    </message>
    <message>
        <source>Подтверждение открытия файла</source>
        <translation>Open another file</translation>
    </message>
    <message>
        <source>Несохраненные данные будут утеряны! Вы уверены, что хотите открыть другой файл?</source>
        <translation>Unsaved data will be lost! Are you sure you want to open another file?</translation>
    </message>
    <message>
        <source>Формирование отчета</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Отчет сохранен, но открыть его не удалось: нет программы для документов .docx.
Файл отчета: %1</source>
        <translation>The report is saved but could not be opened: there is no application for .docx documents.
Report file: %1</translation>
    </message>
    <message>
        <source>Руководство пользователя</source>
        <translation>User guide</translation>
    </message>
</context>
<context>
    <name>Optimum</name>
    <message>
        <source>закрепленная доля компонента %1 (%2 %) лежит вне его границ (%3–%4 %).</source>
        <translation>the locked fraction of component %1 (%2 %) lies outside its bounds (%3–%4 %).</translation>
    </message>
    <message>
        <source>закрепленные доли и нижние границы компонентов %1 в сумме больше 100 %.</source>
        <translation>the locked fractions and lower bounds of components %1 add up to more than 100 %.</translation>
    </message>
    <message>
        <source>закрепленные доли и верхние границы компонентов %1 в сумме меньше 100 %.</source>
        <translation>the locked fractions and upper bounds of components %1 add up to less than 100 %.</translation>
    </message>
    <message>
        <source>закрепленные доли и границы компонентов %1 несовместимы.</source>
        <translation>the locked fractions and bounds of components %1 contradict each other.</translation>
    </message>
    <message>
        <source>проект должен иметь от 1 до 10 компонентов и от 1 до 50 классов крупности.</source>
        <translation>the project must have 1 to 10 components and 1 to 50 size classes.</translation>
    </message>
    <message>
        <source>плотность компонента %1 должна быть больше нуля.</source>
        <translation>the density of component %1 must be greater than zero.</translation>
    </message>
    <message>
        <source>решение не найдено (код %1).</source>
        <translation>no solution found (code %1).</translation>
    </message>
    <message>
        <source>решение не найдено.</source>
        <translation>no solution found.</translation>
    </message>
    <message>
        <source>Состав, удовлетворяющий закреплениям и границам, не существует: </source>
        <translation>No recipe satisfies the locks and bounds: </translation>
    </message>
    <message>
        <source>Состав, удовлетворяющий ограничениям, не существует: </source>
        <translation>No recipe satisfies the constraints: </translation>
    </message>
    <message>
        <source>Оптимальный состав не найден: </source>
        <translation>The best recipe was not found: </translation>
    </message>
    <message>
        <source>закрепленные доли компонентов </source>
        <translation>the locked fractions of components </translation>
    </message>
    <message>
        <source>границы варьирования массовых долей</source>
        <translation>the bounds of the mass fractions</translation>
    </message>
    <message>
        <source> и </source>
        <translation> and </translation>
    </message>
    <message>
        <source>не более %1 %2 в составе</source>
        <translation>at most %1 %2 in the recipe</translation>
    </message>
    <message>
        <source>компонента</source>
        <translation>component</translation>
    </message>
    <message>
        <source>компонентов</source>
        <translation>components</translation>
    </message>
    <message>
        <source>расхождение не более %1 %</source>
        <translation>divergence at most %1 %</translation>
    </message>
    <message>
        <source>границы зернового состава при Dj = </source>
        <translation>the grading envelope at Dj = </translation>
    </message>
    <message>
        <source>ни один состав не удовлетворяет ограничению %1.</source>
        <translation>no recipe satisfies the constraint %1.</translation>
    </message>
    <message>
        <source>несовместимы ограничения %1 и %2.</source>
        <translation>the constraints %1 and %2 contradict each other.</translation>
    </message>
    <message>
        <source>не указана цена компонента %1 (шаг 1).</source>
        <translation>the price of component %1 is not given (step 1).</translation>
    </message>
    <message>
        <source>цена компонента %1 задана неверно (шаг 1).</source>
        <translation>the price of component %1 is not valid (step 1).</translation>
    </message>
    <message>
        <source>наибольшее расхождение («%1») должно быть числом не меньше нуля.</source>
        <translation>the largest divergence (&quot;%1&quot;) must be a number not below zero.</translation>
    </message>
    <message>
        <source>границы зернового состава заданы с ошибками (шаг 4, Dj = %1).</source>
        <translation>the grading envelope has errors (step 4, Dj = %1).</translation>
    </message>
    <message>
        <source>число компонентов в составе должно быть не меньше 1.</source>
        <translation>the number of components in the recipe must be at least 1.</translation>
    </message>
    <message>
        <source>для фронта «стоимость – расхождение» нужна цена каждого компонента: не указана цена компонента %1 (шаг 1).</source>
        <translation>the cost–divergence front needs the price of every component: the price of component %1 is not given (step 1).</translation>
    </message>
    <message>
        <source>Фронт не построен: </source>
        <translation>The front was not built: </translation>
    </message>
    <message>
        <source>не задано наибольшее расхождение: впишите его в поле «расхождение не более» или снимите этот флажок.</source>
        <translation>the largest divergence is not given: type it into the field “divergence at most” or untick it.</translation>
    </message>
</context>
<context>
    <name>ParametersPage</name>
    <message>
        <source>Использовать модуль загрузки данных из базы</source>
        <translation>Load the data from the component database</translation>
    </message>
    <message>
        <source>1.1.Название состава:</source>
        <translation>1.1.Name of the mix:</translation>
    </message>
    <message>
        <source>* пример: «Огнеупорная смесь №5»</source>
        <translation>* example: “Refractory mix No. 5”</translation>
    </message>
    <message>
        <source>1.2.Количество сырьевых компонентов:</source>
        <translation>1.2.Number of raw components:</translation>
    </message>
    <message>
        <source>1.3.Названия сырьевых компонентов:</source>
        <translation>1.3.Names of the raw components:</translation>
    </message>
    <message>
        <source>* старайтесь использовать короткие названия (пример: «Песок Мк=1.5»)</source>
        <translation>* keep the names short (example: “Sand FM=1.5”)</translation>
    </message>
    <message>
        <source>1.4.Плотность зерен каждого компонента (г/см^3):</source>
        <translation>1.4.Grain density of each component (g/cm^3):</translation>
    </message>
    <message>
        <source>1.5.Цена, руб./т:</source>
        <translation>1.5.Price, RUB/t:</translation>
    </message>
    <message>
        <source>* необязательно: по ценам рассчитывается стоимость смеси и подбирается самый дешевый состав (шаг 5)</source>
        <translation>* optional: the prices give the cost of the mix and let the cheapest recipe be found (step 5)</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>Изображение PNG (*.png);;Рисунок BMP (*.bmp)</source>
        <translation>PNG image (*.png);;BMP picture (*.bmp)</translation>
    </message>
    <message>
        <source>Не удалось сохранить изображение «%1»: рисунок не удалось закодировать.</source>
        <translation>Could not save the image “%1”: the picture could not be encoded.</translation>
    </message>
    <message>
        <source>Не удалось сохранить изображение «%1»: %2.</source>
        <translation>Could not save the image “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Выберите шаг проектирования</source>
        <translation>Choose a design step</translation>
    </message>
    <message>
        <source>Эталонный состав</source>
        <translation>Reference curve</translation>
    </message>
    <message>
        <source>Исходный состав</source>
        <translation>Base mix</translation>
    </message>
    <message>
        <source>Проектируемый состав</source>
        <translation>Designed mix</translation>
    </message>
    <message>
        <source>Расхождение кривых</source>
        <translation>Curve divergence</translation>
    </message>
    <message>
        <source>Границы зернового состава</source>
        <translation>Grading envelope</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>Текст «%1» содержит символы, которые нельзя сохранить в кодировке Windows-1251. Исправьте его и сохраните проект снова.</source>
        <translation>The text “%1” contains characters that cannot be saved in the Windows-1251 encoding. Correct it and save the project again.</translation>
    </message>
    <message>
        <source>Текст «%1» содержит перевод строки; такой текст нельзя сохранить в файле проекта.</source>
        <translation>The text “%1” contains a line break; such a text cannot be saved in a project file.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл «%1»: %2.%3</source>
        <translation>Could not save the file “%1”: %2.%3</translation>
    </message>
    <message>
        <source> Прежнее содержимое файла не изменено.</source>
        <translation> The file’s previous contents are unchanged.</translation>
    </message>
    <message>
        <source>Не удалось открыть файл «%1»: %2.</source>
        <translation>Could not open the file “%1”: %2.</translation>
    </message>
    <message>
        <source>Файл «%1» слишком велик для файла проекта (больше 1 МБ).</source>
        <translation>The file “%1” is too large for a project file (over 1 MB).</translation>
    </message>
    <message>
        <source>Файл «%1» не открыт: %2</source>
        <translation>The file “%1” was not opened: %2</translation>
    </message>
    <message>
        <source>он больше 1 МБ.</source>
        <translation>it is larger than 1 MB.</translation>
    </message>
    <message>
        <source>он сохранен в кодировке UTF-16; сохраните его в кодировке Windows-1251 или UTF-8.</source>
        <translation>it is saved in the UTF-16 encoding; save it in Windows-1251 or UTF-8.</translation>
    </message>
    <message>
        <source>это не текстовый файл.</source>
        <translation>it is not a text file.</translation>
    </message>
    <message>
        <source>он начинается с метки UTF-8, но дальше не является текстом UTF-8.</source>
        <translation>it begins with a UTF-8 byte-order mark but is not UTF-8 text after it.</translation>
    </message>
    <message>
        <source>это не текст в кодировке Windows-1251.</source>
        <translation>it is not text in the Windows-1251 encoding.</translation>
    </message>
    <message>
        <source>файл кончается раньше, чем указано число компонентов.</source>
        <translation>the file ends before the number of components.</translation>
    </message>
    <message>
        <source>число компонентов (строка 2: «%1») должно быть целым.</source>
        <translation>the number of components (line 2: “%1”) must be a whole number.</translation>
    </message>
    <message>
        <source>число компонентов (строка 2: «%1») должно быть от 1 до 10.</source>
        <translation>the number of components (line 2: “%1”) must be from 1 to 10.</translation>
    </message>
    <message>
        <source>файл кончается раньше, чем указано число типоразмеров частиц.</source>
        <translation>the file ends before the number of particle size classes.</translation>
    </message>
    <message>
        <source>число типоразмеров частиц (строка %1: «%2») должно быть целым.</source>
        <translation>the number of particle size classes (line %1: “%2”) must be a whole number.</translation>
    </message>
    <message>
        <source>число типоразмеров частиц (строка %1: «%2») должно быть от 2 до 50.</source>
        <translation>the number of particle size classes (line %1: “%2”) must be from 2 to 50.</translation>
    </message>
    <message>
        <source>в файле %1 строк, а для N = %2 и K = %3 нужно %4.</source>
        <translation>the file has %1 lines, but N = %2 and K = %3 need %4.</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>нет прав на чтение файла</source>
        <translation>no permission to read the file</translation>
    </message>
    <message>
        <source>файл не удается прочитать</source>
        <translation>the file cannot be read</translation>
    </message>
</context>
<context>
    <name>ReferencePage</name>
    <message>
        <source>Уравнение Функа-Дингера</source>
        <translation>Funk–Dinger equation</translation>
    </message>
    <message>
        <source>Уравнение Фуллера</source>
        <translation>Fuller equation</translation>
    </message>
    <message>
        <source>Уравнение Гуммеля</source>
        <translation>Hummel equation</translation>
    </message>
    <message>
        <source>Уравнение Боломея</source>
        <translation>Bolomey equation</translation>
    </message>
    <message>
        <source>Ввод эталонного зернового состава вручную</source>
        <translation>Reference grain composition entered by hand</translation>
    </message>
    <message>
        <source>D max/min - наибольший/наименьший размер зерна в смеси (или верхнее/нижнее условные сита);
n - коэффициент распределения, равный 0,5 (по Фуллеру)
или 0,37 (пространственное распределение по Андреасену);
а - коэффициент формы частиц, изменяющийся от 0 до 0,2.
A&apos;j - полный проход частиц через условное сито с размером ячейки Dj (%);
m - эмпирический коэффициент, изменяющийся от 0,1 до 1;
B - коэффициент, равный 10 для малопластичных щебеночных смесей, 12 - для пластичных смесей
с гравием и 14 - для пластичных смесей со щебнем.</source>
        <translation>D max/min - the largest/smallest grain size in the mix (or the top/bottom sieve);
n - the distribution modulus, 0,5 (Fuller)
or 0,37 (Andreasen&apos;s space filling);
a - the particle shape coefficient, from 0 to 0,2.
A&apos;j - the cumulative passing through the sieve with the aperture Dj (%);
m - an empirical coefficient, from 0,1 to 1;
B - a coefficient: 10 for low-plasticity crushed-stone mixes, 12 for plastic mixes
with gravel and 14 for plastic mixes with crushed stone.</translation>
    </message>
    <message>
        <source>4.1.Эталонная функция распределения частиц по размерам:</source>
        <translation>4.1.Reference particle size distribution:</translation>
    </message>
    <message>
        <source>Ввод эталонного зернового состава вручную осуществляется с целью сравнения проектируемого состава сырьевой смеси с другим существующим (более оптимальным) составом.</source>
        <translation>A reference grain composition is entered by hand to compare the designed mix with another existing (better) mix.</translation>
    </message>
    <message>
        <source>4.2.Границы зернового состава (необязательно; пустая клетка — без границы):</source>
        <translation>4.2.Grading envelope (optional; an empty cell is no limit):</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>основной задачей произведенных расчетов является приближение зернового состава проектируемой смеси к заданному эталонному зерновому составу. Данный программный продукт (и алгоритм, лежащий в его основе) является лишь вспомогательным расчетно-математическим средством, при этом не гарантируется оптимизирующий эффект в отношении качественных (технико-эксплуатационных) характеристик конечного продукта. Методологическая основа задачи оптимизации зернового состава сырьевой смеси сводится к критериям выбора эталонного зернового состава. При этом следует учитывать аспекты пространственной упаковки частиц и их влияние на структурную топологию рассматриваемого гранулированного материала.</source>
        <translation>the main aim of these calculations is to bring the grain composition of the designed mix as close as possible to the given reference grain composition. This program (and the algorithm it rests on) is only an auxiliary computational tool; it does not guarantee any improvement of the quality (technical and service) properties of the final product. Optimising the grain composition of a raw mix comes down, as a method, to the criteria by which the reference grain composition is chosen. The spatial packing of the particles and its effect on the structure of the granular material should be taken into account as well.</translation>
    </message>
    <message>
        <source>Результаты расчета зернового состава сырьевой смеси</source>
        <translation>Results of the grain composition design of the raw mix</translation>
    </message>
    <message>
        <source>Название проектируемой смеси: </source>
        <translation>Name of the designed mix: </translation>
    </message>
    <message>
        <source>Количество сырьевых компонентов смеси: </source>
        <translation>Number of raw components in the mix: </translation>
    </message>
    <message>
        <source>Названия сырьевых компонентов смеси</source>
        <translation>Names of the raw components of the mix</translation>
    </message>
    <message>
        <source>Плотности сырьевых компонентов смеси</source>
        <translation>Grain densities of the raw components of the mix</translation>
    </message>
    <message>
        <source>Зерновые составы сырьевых компонентов смеси (интегральное распределение, %)</source>
        <translation>Grain compositions of the raw components of the mix (cumulative distribution, %)</translation>
    </message>
    <message>
        <source>Зерновые составы сырьевых компонентов смеси (дифференциальное распределение, %)</source>
        <translation>Grain compositions of the raw components of the mix (differential distribution, %)</translation>
    </message>
    <message>
        <source>Исходный компонентный состав смеси в массовых долях, % (базовая рецептура, подлежащая оптимизации)</source>
        <translation>Base component composition of the mix in mass fractions, % (the base recipe to be optimised)</translation>
    </message>
    <message>
        <source>Диаграмма массовых долей исходного компонентного состава:</source>
        <translation>Mass fractions of the base component composition:</translation>
    </message>
    <message>
        <source>Эталонный зерновой состав (полный проход A&apos;j, % в зависимости от размеров частиц Dj)</source>
        <translation>Reference grain composition (cumulative passing A&apos;j, % against the particle size Dj)</translation>
    </message>
    <message>
        <source>Скорректированный компонентный состав смеси в массовых долях, % (оптимальная рецептура, отвечающая минимальному расхождению грансостава смеси с эталоном)</source>
        <translation>Corrected component composition of the mix in mass fractions, % (the optimal recipe, with the smallest divergence of the mix grading from the reference)</translation>
    </message>
    <message>
        <source>Скорректированный зерновой состав (полный проход A&apos;j, % в зависимости от размеров частиц Dj)</source>
        <translation>Corrected grain composition (cumulative passing A&apos;j, % against the particle size Dj)</translation>
    </message>
    <message>
        <source>Гранулометрический график (</source>
        <translation>Grading chart (</translation>
    </message>
    <message>
        <source>Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный (оранжевый), скорректированный (красный) составы и расхождение кривых (серый)]</source>
        <translation>Aj - cumulative passing (%) of particles through the sieve Dj [reference (blue), base (orange) and corrected (red) compositions, and the curve divergence (grey)]</translation>
    </message>
    <message>
        <source>Примечание: </source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>без названия</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Отчет — </source>
        <translation>Report — </translation>
    </message>
    <message>
        <source>Не удалось записать отчет «%1»: %2</source>
        <translation>Could not write the report “%1”: %2</translation>
    </message>
    <message>
        <source>Не удалось записать отчет: в папке «%1» заняты все имена отчетов этого проекта.</source>
        <translation>Could not write the report: every report name of this project is taken in the folder “%1”.</translation>
    </message>
    <message>
        <source>Границы зернового состава (полный проход, % в зависимости от размеров частиц Dj) и скорректированный зерновой состав</source>
        <translation>Grading envelope (passing, % by particle size Dj) and the corrected grain composition</translation>
    </message>
    <message>
        <source>Границы зернового состава заданы с ошибками.</source>
        <translation>The grading envelope has errors.</translation>
    </message>
    <message>
        <source>Проектируемый состав не выходит за границы зернового состава.</source>
        <translation>The designed mix stays within the grading envelope.</translation>
    </message>
    <message>
        <source>Цены сырьевых компонентов смеси, руб./т</source>
        <translation>Prices of the raw components of the mix, RUB/t</translation>
    </message>
    <message>
        <source>Стоимость 1 т проектируемой смеси: </source>
        <translation>Cost of 1 t of the designed mix: </translation>
    </message>
    <message>
        <source> руб.</source>
        <translation> RUB</translation>
    </message>
    <message>
        <source> (исходного состава: </source>
        <translation> (base recipe: </translation>
    </message>
    <message>
        <source> руб.)</source>
        <translation> RUB)</translation>
    </message>
    <message>
        <source>Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный (оранжевый), скорректированный (красный) составы, расхождение кривых (серый) и границы зернового состава (зеленый пунктир)]</source>
        <translation>Aj - passing (%) of particles through the nominal sieve Dj [reference (blue), base (orange) and corrected (red) curves, curve divergence (grey) and grading envelope (green, dashed)]</translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <source>6.1. Название проектируемого состава</source>
        <translation>6.1. Name of the designed mix</translation>
    </message>
    <message>
        <source>6.2. Количество сырьевых компонентов в проектируемой смеси</source>
        <translation>6.2. Number of raw components in the designed mix</translation>
    </message>
    <message>
        <source>6.3. Названия сырьевых компонентов проектируемой смеси</source>
        <translation>6.3. Names of the raw components of the designed mix</translation>
    </message>
    <message>
        <source>6.4. Значения истинной плотности зерен сырьевых компонентов</source>
        <translation>6.4. True grain densities of the raw components</translation>
    </message>
    <message>
        <source>6.5. Гранулометрические составы сырьевых компонентов</source>
        <translation>6.5. Grain compositions of the raw components</translation>
    </message>
    <message>
        <source>6.6. Исходный компонентный состав сырьевой смеси (то, что оптимизируем)</source>
        <translation>6.6. Base recipe of the raw mix (the one being optimised)</translation>
    </message>
    <message>
        <source>6.7. Диаграмма массовых долей исходного компонентного состава</source>
        <translation>6.7. Diagram of the mass fractions of the base recipe</translation>
    </message>
    <message>
        <source>6.8. Эталонный гранулометрический состав</source>
        <translation>6.8. Reference grain composition</translation>
    </message>
    <message>
        <source>6.9. Скорректированный компонентный состав смеси (оптимизированный)</source>
        <translation>6.9. Corrected recipe of the mix (optimised)</translation>
    </message>
    <message>
        <source>6.10. Итоговый гранулометрический состав смеси (после корректировки)</source>
        <translation>6.10. Final grain composition of the mix (after the correction)</translation>
    </message>
    <message>
        <source>6.11. Гранулометрический график</source>
        <translation>6.11. Grading chart</translation>
    </message>
    <message>
        <source>В отчете отобразить:</source>
        <translation>Include in the report:</translation>
    </message>
    <message>
        <source>Сформировать отчет в программе Microsoft Word</source>
        <translation>Create the report in Microsoft Word</translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>на диске недостаточно места</source>
        <translation>not enough space on the disk</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>the disk quota is exhausted</translation>
    </message>
    <message>
        <source>нет прав на запись в эту папку или в этот файл</source>
        <translation>no permission to write to this folder or file</translation>
    </message>
    <message>
        <source>диск доступен только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>часть пути не является папкой</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>под этим именем уже есть папка</source>
        <translation>a folder of that name already exists</translation>
    </message>
    <message>
        <source>слишком длинное имя файла</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода при записи на диск</source>
        <translation>input/output error writing to the disk</translation>
    </message>
    <message>
        <source>файл слишком велик для этого диска</source>
        <translation>the file is too large for this disk</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many files are open</translation>
    </message>
    <message>
        <source>файл занят другой программой</source>
        <translation>another program is using the file</translation>
    </message>
    <message>
        <source>слишком много символических ссылок в пути</source>
        <translation>too many symbolic links in the path</translation>
    </message>
    <message>
        <source>недопустимое имя файла</source>
        <translation>invalid file name</translation>
    </message>
    <message>
        <source>системная ошибка № %1</source>
        <translation>system error no. %1</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Расхождение кривых: </source>
        <translation>Curve divergence: </translation>
    </message>
    <message>
        <source>Минимально возможное расхождение: </source>
        <translation>Smallest possible divergence: </translation>
    </message>
    <message>
        <source>Нижняя граница, %</source>
        <translation>Lower limit, %</translation>
    </message>
    <message>
        <source>Верхняя граница, %</source>
        <translation>Upper limit, %</translation>
    </message>
    <message>
        <source>-&gt; Проектируемый состав выходит за границы зернового состава </source>
        <translation>-&gt; The designed mix leaves the grading envelope </translation>
    </message>
    <message>
        <source>-&gt; Исходный состав выходит за границы зернового состава </source>
        <translation>-&gt; The base mix leaves the grading envelope </translation>
    </message>
    <message>
        <source> руб./т</source>
        <translation> RUB/t</translation>
    </message>
    <message>
        <source>компонентов в составе: %1 из %2</source>
        <translation>components in the recipe: %1 of %2</translation>
    </message>
    <message>
        <source>Наименьшая стоимость: </source>
        <translation>Lowest cost: </translation>
    </message>
    <message>
        <source>Расхождение: </source>
        <translation>Divergence: </translation>
    </message>
    <message>
        <source>Стоимость: </source>
        <translation>Cost: </translation>
    </message>
    <message>
        <source>Точка фронта: расхождение </source>
        <translation>Front point: divergence </translation>
    </message>
    <message>
        <source> %, стоимость </source>
        <translation> %, cost </translation>
    </message>
</context>
<context>
    <name>Steps</name>
    <message>
        <source>1.Параметры сырьевой смеси</source>
        <translation>1.Raw mix parameters</translation>
    </message>
    <message>
        <source>2.Зерновые составы сырьевых компонентов смеси</source>
        <translation>2.Grain compositions of the raw components</translation>
    </message>
    <message>
        <source>3.Исходный состав сырьевой смеси</source>
        <translation>3.Base recipe of the raw mix</translation>
    </message>
    <message>
        <source>4.Выбор эталонного распределения частиц по размерам</source>
        <translation>4.Choice of the reference particle size distribution</translation>
    </message>
    <message>
        <source>5.Корректировка состава сырьевой смеси</source>
        <translation>5.Correction of the raw mix recipe</translation>
    </message>
    <message>
        <source>6.Формирование итогового отчета</source>
        <translation>6.Final report</translation>
    </message>
    <message>
        <source>Информация о программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>1. Параметры смеси</source>
        <translation>1. Mix parameters</translation>
    </message>
    <message>
        <source>2. Данные по компонентам</source>
        <translation>2. Component data</translation>
    </message>
    <message>
        <source>3. Исходный состав</source>
        <translation>3. Base recipe</translation>
    </message>
    <message>
        <source>4. Эталонный состав</source>
        <translation>4. Reference curve</translation>
    </message>
    <message>
        <source>5. Корректировка состава</source>
        <translation>5. Correction</translation>
    </message>
    <message>
        <source>6. Формирование отчета</source>
        <translation>6. Report</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>Validation</name>
    <message>
        <source>Таблица заполнена не до конца, либо допущены синтаксические ошибки!</source>
        <translation>The table is not filled in completely, or it has syntax errors!</translation>
    </message>
    <message>
        <source>-&gt; Диаметры частиц заданы НЕ в порядке убывания, либо допущены синтаксические ошибки.</source>
        <translation>-&gt; The particle sizes are NOT in descending order, or they have syntax errors.</translation>
    </message>
    <message>
        <source>-&gt; Процентное содержание частиц компонента %1 задано НЕ в порядке убывания.</source>
        <translation>-&gt; The percentages of component %1 are NOT in descending order.</translation>
    </message>
    <message>
        <source>-&gt; В столбце процентного содержания частиц компонента %1 допущены синтаксические ошибки ввода.</source>
        <translation>-&gt; The percentage column of component %1 has syntax errors.</translation>
    </message>
    <message>
        <source>Таблица содержит ошибки (сумма массовых долей &lt;&gt; 100%)!</source>
        <translation>The table has errors (the mass fractions do not add up to 100%)!</translation>
    </message>
    <message>
        <source>Цена должна быть числом не меньше нуля (пустая клетка — цена не указана)!</source>
        <translation>A price must be a number not below zero (an empty cell is no price)!</translation>
    </message>
    <message>
        <source>при Dj = </source>
        <translation>at Dj = </translation>
    </message>
    <message>
        <source>-&gt; Граница задана не числом </source>
        <translation>-&gt; A limit is not a number </translation>
    </message>
    <message>
        <source>-&gt; Граница лежит вне пределов от 0 до 100 % </source>
        <translation>-&gt; A limit lies outside 0 to 100 % </translation>
    </message>
    <message>
        <source>-&gt; Нижняя граница больше верхней </source>
        <translation>-&gt; The lower limit is above the upper </translation>
    </message>
</context>
<context>
    <name>WindowArguments</name>
    <message>
        <source>Palvex %1: проектирование зернового состава сырьевых смесей.</source>
        <translation>Palvex %1: designing the grain composition of raw mixes.</translation>
    </message>
    <message>
        <source>Показать эту справку.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Показать шаг N (1–%1, как на кнопках шагов).</source>
        <translation>Show step N (1–%1, as on the step buttons).</translation>
    </message>
    <message>
        <source>Язык программы: en (английский) или ru (русский). По умолчанию — язык системы, если это английский, иначе русский.</source>
        <translation>Language of the program: en (English) or ru (Russian). By default the system’s language if it is English, else Russian.</translation>
    </message>
    <message>
        <source>Файл проекта, который нужно открыть.</source>
        <translation>The project file to open.</translation>
    </message>
    <message>
        <source>неизвестный параметр %1 (см. palvex --help)</source>
        <translation>unknown option %1 (see palvex --help)</translation>
    </message>
    <message>
        <source>--lang: «%1» — не язык программы (en или ru)</source>
        <translation>--lang: &quot;%1&quot; is not a language of the program (en or ru)</translation>
    </message>
    <message>
        <source>--step: «%1» — не номер шага (от 1 до %2)</source>
        <translation>--step: &quot;%1&quot; is not a step number (1 to %2)</translation>
    </message>
    <message>
        <source>открывается один проект, а указаны: %1</source>
        <translation>one project can be opened, but these were given: %1</translation>
    </message>
    <message>
        <source>файл «%1» не найден</source>
        <translation>file “%1” not found</translation>
    </message>
    <message>
        <source>«%1» — папка, а не файл проекта</source>
        <translation>“%1” is a folder, not a project file</translation>
    </message>
    <message>
        <source>файл «%1» не удалось прочитать: %2</source>
        <translation>file “%1” could not be read: %2</translation>
    </message>
</context>
<context>
    <name>Xlsx</name>
    <message>
        <source>Истина</source>
        <translation>TRUE</translation>
    </message>
    <message>
        <source>Ложь</source>
        <translation>FALSE</translation>
    </message>
    <message>
        <source>это не книга Excel (.xlsx) или файл поврежден</source>
        <translation>it is not an Excel workbook (.xlsx), or the file is damaged</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>файл не удается прочитать</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>книга сжата или зашифрована способом, который программа не читает</source>
        <translation>the workbook is compressed or encrypted in a way the program cannot read</translation>
    </message>
    <message>
        <source>архив книги не читается (ошибка архива № %1)</source>
        <translation>the workbook archive cannot be read (archive error no. %1)</translation>
    </message>
    <message>
        <source>книга распаковывается в слишком большой объем (больше 24 МБ)</source>
        <translation>the workbook unpacks to too large a size (over 24 MB)</translation>
    </message>
    <message>
        <source>в книге нет части %1</source>
        <translation>the workbook has no part %1</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена</source>
        <translation>part %1 of the workbook is damaged</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена: она не распаковывается</source>
        <translation>part %1 of the workbook is damaged: it does not unpack</translation>
    </message>
    <message>
        <source>в книге больше 4 000 000 элементов XML; столько не бывает даже в базе из 10 000 компонентов</source>
        <translation>the workbook has more than 4,000,000 XML elements; not even a database of 10,000 components has that many</translation>
    </message>
    <message>
        <source>часть %1 объявляет DTD, чего в книгах Excel не бывает; такая книга не читается</source>
        <translation>part %1 declares a DTD, which Excel workbooks never do; such a workbook is not read</translation>
    </message>
    <message>
        <source>в части %1 элементы вложены глубже %2 уровней, чего в книгах Excel не бывает</source>
        <translation>in part %1 the elements are nested deeper than %2 levels, which never happens in Excel workbooks</translation>
    </message>
    <message>
        <source>часть %1 книги повреждена: %2</source>
        <translation>part %1 of the workbook is damaged: %2</translation>
    </message>
    <message>
        <source>она обрывается раньше своего конца</source>
        <translation>it breaks off before its end</translation>
    </message>
    <message>
        <source>нарушена разметка XML (строка %1, позиция %2)</source>
        <translation>broken XML markup (line %1, column %2)</translation>
    </message>
    <message>
        <source>неожиданный элемент XML (строка %1)</source>
        <translation>unexpected XML element (line %1)</translation>
    </message>
    <message>
        <source>разметка XML не читается (строка %1)</source>
        <translation>the XML markup cannot be read (line %1)</translation>
    </message>
    <message>
        <source>в книге не найден ни один лист</source>
        <translation>the workbook has no worksheet</translation>
    </message>
    <message>
        <source>в книге не найден первый лист</source>
        <translation>the first worksheet of the workbook is not found</translation>
    </message>
    <message>
        <source>в части %1 больше 1 000 000 строк; столько книга с базой компонентов не содержит</source>
        <translation>part %1 has more than 1,000,000 rows; no component database workbook has that many</translation>
    </message>
    <message>
        <source>в части %1 есть ячейка за пределами листа (строка %2, столбец %3)</source>
        <translation>part %1 has a cell outside the worksheet (row %2, column %3)</translation>
    </message>
    <message>
        <source>в листе больше 2 000 000 заполненных ячеек</source>
        <translation>the worksheet has more than 2,000,000 filled cells</translation>
    </message>
</context>
</TS>
